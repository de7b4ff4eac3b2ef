// The four tabs' pictures over a surface (lab-draw.js), and the Solution picture's pan, zoom and
// click. Every function returns the picture's description for a screen reader and the SVG.
import { Frame, marker, methodStyles, replay, textMetrics } from './lab-draw.js';
import { parseCsv } from './lab-tables.js';

const kIds = ['Euler', 'EulerEP', 'EulerMP', 'RK4', 'RKF', 'RKM', 'RK4G'];
const num = (t) => (t === '' || t === undefined ? NaN : Number(t));

function extent(values, pad = 0.08) {
  const finite = values.filter((v) => Number.isFinite(v) && Math.abs(v) < 1e12);
  let [lo, hi] = finite.length ? [Math.min(...finite), Math.max(...finite)] : [-1, 1];
  if (hi - lo < 1e-12) { lo -= 1; hi += 1; }
  return [lo - (hi - lo) * pad, hi + (hi - lo) * pad];
}

// ---- Solution: built by the figure layer (web/lab_figure.cpp) as the window draws it, replayed
// here; only the numbers' boxes and the field's request are kept on this side.
const kFieldColumns = 25;
const kFieldRows = 18;
export function drawSolution(surface, setup, r, { view, call, redraw, x0, figure, caption }) {
  surface.clear('#fff');
  if (!r || r.error) return r ? r.error : undefined;
  if (!figure) return undefined;
  // Read once per table: a redraw while panning only builds and paints.
  r.parsed ??= (() => {
    const [header, ...rows] = parseCsv(r.csv);
    const columns = header.slice(3).map((id, k) => ({
      method: kIds.indexOf(id),
      xs: Float64Array.from(rows, (row) => num(row[1])),
      ys: Float64Array.from(rows, (row) => num(row[3 + k])),
    }));
    return { rows, columns };
  })();
  const { rows, columns } = r.parsed;
  const box = view ?? r.home ?? (() => {
    const [x0, x1] = extent(rows.map((row) => num(row[1])), 0.02);
    const [y0, y1] = extent([...r.curve.ys ?? [], ...columns.flatMap((c) => Array.from(c.ys))]);
    r.home = { x0, x1, y0, y1 };
    return r.home;
  })();
  const key = `${box.x0},${box.x1},${box.y0},${box.y1}`;
  if (r.fieldKey !== key && call) {
    r.fieldKey = key;
    clearTimeout(r.fieldTimer);
    r.fieldTimer = setTimeout(() => call('slopes', setup, [box.x0, box.x1, box.y0, box.y1, kFieldColumns, kFieldRows]).then((s) => {
      if (r.fieldKey === key) { r.field = { box, columns: kFieldColumns, rows: kFieldRows, slopes: s }; redraw(); }
    }).catch(() => {}), view ? 80 : 0);
  }
  const reference = r.curve.accuracy > 0;
  r.names ??= (() => {
    const names = columns.map((c) => kIds[c.method]);
    if (r.curve.xs) names.unshift(reference ? `Reference solution (\u00b1${figure.roundedText(r.curve.accuracy, 2)})` : 'Exact solution');
    return names;
  })();
  const curves = [];
  if (r.curve.xs) curves.push({ method: -1, dashed: reference, xs: r.curve.xs, ys: r.curve.ys });
  for (const c of columns) curves.push({ method: c.method, dashed: false, xs: c.xs, ys: c.ys });
  curves.forEach((c, i) => { c.name = r.names[i]; });
  const first = columns[0];
  const picture = figure.solutionFigure({
    width: surface.width, height: surface.height, box, curves, metrics: textMetrics(),
    start: first ? [first.xs[0], first.ys[0]] : [NaN, NaN], field: r.field ?? null,
  });
  replay(surface, picture);
  const [left, top, width, height] = picture.plot;
  r.frame = { box, left, top, right: left + width, bottom: top + height,
    inverse: (px, py) => [box.x0 + (px - left) / width * (box.x1 - box.x0), box.y0 + (top + height - py) / height * (box.y1 - box.y0)] };
  // The errors at x1 against the solution's last sample, which lies at x1.
  const there = r.curve.ys ? r.curve.ys[r.curve.ys.length - 1] : NaN;
  return figure.solutionDescription({
    caption: caption ?? '', x0: String(x0), x1: String(setup.x1), n: String(setup.n),
    drawn: r.curve.xs ? (reference ? 'reference' : 'exact') : 'none', accuracy: r.curve.accuracy ?? 0,
    methods: columns.map((c) => kIds[c.method]),
    errors: columns.map((c) => Math.abs(c.ys[c.ys.length - 1] - there)), note: '',
  });
}

// Pan by drag, arrow keys and one finger; zoom by wheel, + and - and pinch; Home for the whole
// solution; a click or tap without a drag sets the start.
export function solutionView(canvas, { get, set, setStart, frame }) {
  const pointers = new Map();
  let moved = false;
  const current = () => frame()?.box && (get() ?? frame().box);
  const scale = (f, cx, cy) => {
    const b = current(); const fr = frame(); if (!b || !fr) return;
    const [x, y] = fr.inverse(cx ?? (fr.left + fr.right) / 2, cy ?? (fr.top + fr.bottom) / 2);
    set({ x0: x - (x - b.x0) * f, x1: x + (b.x1 - x) * f, y0: y - (y - b.y0) * f, y1: y + (b.y1 - y) * f });
  };
  const pan = (dx, dy) => {
    const b = current(); const fr = frame(); if (!b || !fr) return;
    const ux = (b.x1 - b.x0) / (fr.right - fr.left); const uy = (b.y1 - b.y0) / (fr.bottom - fr.top);
    set({ x0: b.x0 - dx * ux, x1: b.x1 - dx * ux, y0: b.y0 + dy * uy, y1: b.y1 + dy * uy });
  };
  const position = (e) => {
    const rect = canvas.getBoundingClientRect();
    return [(e.clientX - rect.left) * canvas.width / rect.width, (e.clientY - rect.top) * canvas.height / rect.height];
  };
  canvas.addEventListener('pointerdown', (e) => { canvas.setPointerCapture(e.pointerId); pointers.set(e.pointerId, position(e)); moved = false; });
  canvas.addEventListener('pointermove', (e) => {
    if (!pointers.has(e.pointerId)) return;
    const [x, y] = position(e);
    const [px, py] = pointers.get(e.pointerId);
    if (pointers.size === 2) {
      const other = [...pointers].find(([id]) => id !== e.pointerId)[1];
      const before = Math.hypot(px - other[0], py - other[1]);
      const after = Math.hypot(x - other[0], y - other[1]);
      if (before > 0 && after > 0) scale(before / after, (x + other[0]) / 2, (y + other[1]) / 2);
      moved = true;
    } else if (moved || Math.hypot(x - px, y - py) > 3) {
      moved = true;
      pan(x - px, y - py);
    } else return;
    pointers.set(e.pointerId, [x, y]);
  });
  canvas.addEventListener('pointerup', (e) => {
    const wasClick = !moved && pointers.size === 1;
    pointers.delete(e.pointerId);
    const fr = frame();
    if (wasClick && fr) {
      const [x, y] = fr.inverse(...position(e));
      setStart(String(Number(x.toPrecision(4))), String(Number(y.toPrecision(4))));
    }
  });
  canvas.addEventListener('pointercancel', (e) => pointers.delete(e.pointerId));
  canvas.addEventListener('wheel', (e) => { e.preventDefault(); scale(e.deltaY > 0 ? 1.2 : 1 / 1.2, ...position(e)); }, { passive: false });
  canvas.addEventListener('keydown', (e) => {
    const step = 30;
    const actions = {
      ArrowLeft: () => pan(step, 0), ArrowRight: () => pan(-step, 0), ArrowUp: () => pan(0, step), ArrowDown: () => pan(0, -step),
      '+': () => scale(1 / 1.25), '=': () => scale(1 / 1.25), '-': () => scale(1.25), Home: () => set(null),
    };
    if (actions[e.key]) { e.preventDefault(); actions[e.key](); }
  });
}

// ---- Convergence: |error| against h (or against f evaluations) on log axes, per method.
export function drawConvergence(surface, setup, r, { workPrecision }) {
  surface.clear('#fff');
  if (!r) return 'Run the sweep to see the error against the step size.';
  const column = workPrecision ? 8 : 2;
  const byMethod = new Map();
  for (const row of r.rows) {
    const e = Math.abs(num(row[6]));
    if (!(e > 0) || !Number.isFinite(e)) continue;
    const m = kIds.indexOf(row[0]);
    if (!byMethod.has(m)) byMethod.set(m, []);
    byMethod.get(m).push({ x: Math.abs(num(row[column])), e, marked: row[9] === 'no' || row[10] === 'no' });
  }
  const all = [...byMethod.values()].flat();
  if (!all.length) return 'No rows yet.';
  const decade = (v, up) => 10 ** (up ? Math.ceil(Math.log10(v)) : Math.floor(Math.log10(v)));
  const xs = all.map((p) => p.x); const es = all.map((p) => p.e);
  const box = { x0: decade(Math.min(...xs), false), x1: decade(Math.max(...xs), true), y0: decade(Math.min(...es), false), y1: decade(Math.max(...es), true) };
  if (box.x0 === box.x1) box.x1 *= 10;
  if (box.y0 === box.y1) box.y1 *= 10;
  const frame = new Frame(surface, box, { logX: true, logY: true });
  frame.axes(workPrecision ? 'f evaluations' : 'h', '|error|');
  frame.inside(() => {
    for (const [m, points] of [...byMethod].sort((a, b) => a[0] - b[0])) {
      points.sort((a, b) => a.x - b.x);
      surface.path(points.map((p) => [frame.fx(p.x), frame.fy(p.e)]), { colour: methodStyles[m].colour, width: 1.5, dash: methodStyles[m].dash });
      for (const p of points) {
        if (p.marked) surface.circle(frame.fx(p.x), frame.fy(p.e), 5, '#d00000', null);
        marker(surface, m, frame.fx(p.x), frame.fy(p.e));
      }
    }
  });
  frame.legend([...byMethod.keys()].sort((a, b) => a - b).map((m) => ({ name: kIds[m], method: m })));
  const title = workPrecision ? 'Error at x1 against f evaluations' : 'Error at x1 against the step size h';
  return `${title}, logarithmic axes, ${r.rows.length} rows of ${[...byMethod.keys()].sort().map((m) => kIds[m]).join(', ')}; unstable or unresolved rows are circled in red.`;
}

// One line per method: its rows, smallest |error| and where, the last observed order.
export function convergenceSummary(rows) {
  const lines = ['method,rows,smallest_error,at_N,evaluations,median_order_before_it'];
  for (const id of kIds) {
    const mine = rows.filter((row) => row[0] === id);
    if (!mine.length) continue;
    const best = mine.reduce((a, b) => (Math.abs(num(b[6])) < Math.abs(num(a[6])) ? b : a));
    // The observed orders up to the smallest error, before the rounding floor: their median.
    const orders = mine.slice(0, mine.indexOf(best) + 1).map((row) => num(row[7])).filter(Number.isFinite).sort((a, b) => a - b);
    const median = orders.length ? orders[Math.floor(orders.length / 2)] : '';
    lines.push([id, mine.length, Math.abs(num(best[6])), best[1], best[8], median].join(','));
  }
  return `${lines.join('\r\n')}\r\n`;
}

// ---- Steps: inside the selected step, built by the figure layer as the window draws it from
// the step a worker records (its stages' points and slopes, the solution through its start).
export function drawSteps(surface, setup, r, { step, call, redraw, figure }) {
  if (!r || r.error) { surface.clear('#fff'); return r ? r.error : undefined; }
  if (!figure) return undefined;
  r.rowCount ??= parseCsv(r.csv).length - 1;
  const i = Math.min(Math.max(1, step || 1), r.rowCount - 1);
  r.stages ??= new Map();
  const s = r.stages.get(i);
  if (!s) {
    if (call && !r.stages.has(`asking${i}`)) {
      r.stages.set(`asking${i}`, true);
      call('stage', setup, [i, Number(setup.n)]).then((answer) => { r.stages.set(i, answer); redraw(); }, () => {});
    }
    return undefined;
  }
  const g = (v) => figure.roundedText(v, 6);
  const point = ([x, y]) => `(${g(x)}, ${g(y)})`;
  const shown = s.i !== undefined;
  const h = shown ? s.end[0] - s.start[0] : NaN;
  const estimated = shown && Number.isFinite(s.estimate);
  const title = !shown ? 'Inside a step: select a step in the table'
    : `Inside step ${s.i} of ${setup.method}, h = ${g(h)}${estimated ? `, estimate ${g(s.estimate)}` : ''}`;
  replay(surface, figure.stageFigure({
    width: surface.width, height: surface.height, title, method: Math.max(0, kIds.indexOf(setup.method)), metrics: textMetrics(),
    legend: [s.reference ? 'reference through the start' : 'exact through the start', 'stage slopes', 'the step'], step: shown ? s : null,
  }));
  const solved = shown && s.xs.length > 0;
  return figure.stageDescription({
    title, shown, start: shown ? point(s.start) : '', end: shown ? point(s.end) : '',
    stages: shown ? Array.from(s.x, (x, e) => ({ slope: g(s.slope[e]), at: point([x, s.y[e]]), k: g(s.k[e]) })) : [],
    solutionKind: solved ? (s.reference ? 'reference' : 'exact') : '',
    solutionY: solved ? g(s.ys[s.ys.length - 1]) : '', solutionX: solved ? g(s.xs[s.xs.length - 1]) : '',
    estimate: estimated ? g(s.estimate) : '', lowerEnd: estimated ? g(s.end[1] - s.estimate) : '',
  });
}

// ---- Stability: each method's region |R(z)| <= 1 with h·lambda marked, or the real axis.
const kHMax = 4;
export function drawStability(surface, setup, r, { call, redraw, stabilityView, x0, figure }) {
  if (!r || r.error) { surface.clear('#fff'); return r ? r.error : undefined; }
  const [, ...rows] = parseCsv(r.csv);
  const methods = rows.map((row) => kIds.indexOf(row[0]));
  const h = (num(setup.x1) - num(x0)) / num(setup.n);
  const lambda = num(rows[0]?.[4]);
  const z = h * lambda;
  // The real axis as the window shows it: |R(-h)| of y' = -y for 0 < h <= 4, the line |R| = 1
  // dashed, each method's limit marked on it; curves are cut at the chart's top, |R| = 2.
  if (stabilityView === 'real') {
    surface.clear('#fff');
    const frame = new Frame(surface, { x0: 0, x1: kHMax, y0: 0, y1: 2 });
    frame.axes('h', '|R(-h)|');
    r.curves ??= {};
    const missing = methods.filter((m) => !r.curves[m]);
    if (missing.length && call && !r.askingCurves) {
      r.askingCurves = true;
      Promise.all(missing.map((m) => call('amplification', null, [m, kHMax, 400]).then((c) => { r.curves[m] = c; })))
        .then(() => { r.askingCurves = false; redraw(); }, () => { r.askingCurves = false; });
    }
    frame.inside(() => {
      surface.path([[frame.fx(0), frame.fy(1)], [frame.fx(kHMax), frame.fy(1)]], { colour: '#404040', width: 1, dash: [4, 2] });
      for (const m of methods) {
        const c = r.curves[m];
        if (!c) continue;
        surface.path(Array.from(c.h, (hh, i) => [frame.fx(hh), frame.fy(Math.min(Math.abs(c.r[i]), 2.05))]),
                     { colour: methodStyles[m].colour, width: 1.5, dash: methodStyles[m].dash });
        if (c.limit <= kHMax) marker(surface, m, frame.fx(c.limit), frame.fy(1));
      }
    });
    const name = (m) => {
      const c = r.curves[m];
      if (!c) return kIds[m];
      const text = String(Number(c.limit.toPrecision(5)));
      return c.limit <= kHMax ? `${kIds[m]} (limit ${text})` : `${kIds[m]} (limit ${text}, beyond the chart)`;
    };
    frame.legend([{ name: '|R| = 1', colour: '#404040', dash: [4, 2] }, ...methods.map((m) => ({ name: name(m), method: m }))]);
    const limits = methods.map((m) => name(m)).join(', ');
    return `Stability on the negative real axis: |R(-h)| of y' = -y against the step h from 0 to ${kHMax}, with the line |R| = 1 dashed; ${limits}. A step h is stable while |R(-h)| <= 1.`;
  }
  // The complex plane: built by the figure layer as the window draws it, over the masks the
  // workers evaluate for the plane the layer lays out.
  if (!figure) return undefined;
  const plane = figure.regionPlane(surface.width, surface.height, z);
  const { box } = plane;
  const key = [box.x0, box.x1, box.y0, box.y1, plane.columns, plane.rows, z, ...methods].join();
  if (r.regionKey !== key && call) {
    r.regionKey = key; r.regions = null;
    Promise.all(methods.map((m) => call('region', null, [m, box.x0, box.x1, box.y0, box.y1, plane.columns, plane.rows, z])))
      .then((list) => { if (r.regionKey === key) { r.regions = list; redraw(); } }, () => {});
  }
  if (!r.regions) return undefined;
  const short = (v) => String(v);
  replay(surface, figure.regionFigure({
    width: surface.width, height: surface.height, z, methods, masks: r.regions.map((g) => g.mask), limits: r.regions.map((g) => g.limit),
    title: 'Stability regions |R(z)| <= 1 in the complex plane, z = h\u00b7\u03bb', reLabel: 'Re z', imLabel: 'Im z',
    names: methods.map((m, i) => `${kIds[m]} (limit ${figure.roundedText(r.regions[i].limit, 5)})`),
    pointText: `h\u00b7\u03bb = ${short(z)}`, stepText: `(h = ${short(h)}, \u03bb = ${short(lambda)})`, metrics: textMetrics(),
  }));
  const ids = methods.map((m) => kIds[m]);
  return figure.regionDescription({
    methods: ids, marked: Number.isFinite(z), z: short(z), h: short(h), lambda: short(lambda), rightHalf: z > 0,
    stable: ids.filter((_, i) => r.regions[i].stable), unstable: ids.filter((_, i) => !r.regions[i].stable),
  });
}
