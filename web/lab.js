// Kemi Lab's page: the setup (controls and address), the four tabs and their downloads. The
// numbers come from the lab module in Web Workers (lab-worker.js); this thread only shows them.
import { CanvasSurface, SvgSurface } from './lab-draw.js';
import { drawSolution, drawConvergence, drawSteps, drawStability, solutionView, convergenceSummary } from './lab-pictures.js';
import { parseCsv, renderTable, selectableRows, download } from './lab-tables.js';

const $ = (id) => document.getElementById(id);
const kTabs = ['solution', 'convergence', 'steps', 'stability'];
const kFields = ['eq', 'f', 'x0', 'y0', 'exact', 'x1', 'n', 'maxn', 'method', 'methods'];
const kLongestParameter = 1000;

// ---- Below each tab's own controls, the same parts, built here once for all four: the picture
// with its description for a screen reader, the downloads, the notes and the table.
const kPanels = [
  { tab: 'solution', label: 'Solution picture', focusable: true },
  { tab: 'convergence', label: 'Convergence chart', summary: true },
  { tab: 'steps', label: 'Inside the selected step' },
  { tab: 'stability', label: 'Stability regions' },
];
function element(tag, properties, attributes = {}) {
  const e = Object.assign(document.createElement(tag), properties);
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
  return e;
}
for (const { tab, label, focusable, summary } of kPanels) {
  const picture = element('canvas', { id: `${tab}Picture`, width: 640, height: 400 },
    { role: 'img', 'aria-label': label, 'aria-describedby': `${tab}Description` });
  if (focusable) picture.tabIndex = 0;
  const downloads = element('div', { className: 'downloads' });
  downloads.dataset.tab = tab;
  $(`panel-${tab}`).append(picture, element('p', { id: `${tab}Description`, className: 'description' }), downloads,
    element('p', { id: `${tab}Notes`, className: 'notes' }, { role: 'status' }),
    ...(summary ? [element('div', { id: 'convergenceSummary', className: 'table' })] : []),
    element('div', { id: `${tab}Table`, className: 'table' }));
}

// ---- The computing worker: one request after another, each answered by id.
let worker = null;
let nextId = 1;
const pending = new Map();
function startWorker() {
  // The first worker may have been started by lab-start.js already.
  const early = globalThis.kemiLabStart;
  globalThis.kemiLabStart = undefined;
  worker = early?.worker ?? new Worker(new URL('./lab-worker.js', import.meta.url), { type: 'module' });
  if (early?.ready) document.body.dataset.ready = 'true';
  worker.onmessage = ({ data }) => {
    if (data.ready) { document.body.dataset.ready = 'true'; return; }
    const p = pending.get(data.id);
    if (!p) return;
    pending.delete(data.id);
    if (data.failure) { p.reject(new Error(data.failure)); replaceWorker(data.failure); } else p.resolve(data.result);
  };
  // A worker that dies (the browser refused it memory) is replaced; the page says so.
  worker.onerror = (event) => { event.preventDefault(); replaceWorker(event.message); };
}
function replaceWorker(why) {
  worker.terminate();
  for (const p of pending.values()) p.reject(new Error(why));
  pending.clear();
  say(`The computation stopped (${why || 'the browser ended it'}); a new worker has replaced it.`);
  startWorker();
}
// The page's tests reach the computing worker through this, as the page does.
globalThis.kemiLabForTests = { call: (...a) => call(...a) };
function call(kind, setup, args = []) {
  return new Promise((resolve, reject) => {
    const id = nextId++;
    pending.set(id, { resolve, reject });
    worker.postMessage({ id, kind, setup, args });
  });
}

function say(text) {
  const note = $('addressNote');
  note.textContent = text;
  note.hidden = !text;
}

// ---- State: the setup as the module last read it, the tab, what each tab computed.
const state = { setup: null, tab: 'solution', info: null, results: {}, view: null };

function checkedMethods() {
  return [...document.querySelectorAll('#methods input:checked')].map((b) => b.value).join(',');
}

function askedFromControls() {
  const typed = $('equation').value === 'typed';
  const moved = !typed && state.setup && state.setup.eq === $('equation').value;
  return {
    eq: typed ? '' : $('equation').value,
    f: typed ? $('equationF').value : '',
    x0: typed ? $('equationX0').value : moved ? state.setup.x0 : '',
    y0: typed ? $('equationY0').value : moved ? state.setup.y0 : '',
    exact: typed ? $('equationExact').value : '',
    x1: $('x1').value, n: $('n').value, maxn: $('maxn').value,
    method: $('method').value, methods: checkedMethods(),
  };
}

function showSetup(setup) {
  const typed = setup.f !== '';
  $('equation').value = typed ? 'typed' : setup.eq;
  $('own').hidden = !typed;
  if (typed) {
    $('equationF').value = setup.f; $('equationX0').value = setup.x0;
    $('equationY0').value = setup.y0; $('equationExact').value = setup.exact;
  }
  $('x1').value = setup.x1; $('n').value = setup.n; $('stepsN').value = setup.n;
  $('maxn').value = setup.maxn; $('method').value = setup.method;
  const chosen = setup.methods.split(',');
  for (const box of document.querySelectorAll('#methods input')) box.checked = chosen.includes(box.value);
}

function addressOf(setup, tab) {
  const params = new URLSearchParams();
  if (setup.f) for (const k of ['f', 'x0', 'y0', 'exact']) { if (setup[k]) params.set(k, setup[k]); }
  else {
    params.set('eq', setup.eq);
    if (setup.x0) params.set('x0', setup.x0);
    if (setup.y0) params.set('y0', setup.y0);
  }
  params.set('tab', tab);
  for (const k of ['x1', 'n', 'maxn', 'method', 'methods']) params.set(k, setup[k]);
  return `${location.pathname}?${params}`;
}
function updateAddress() {
  // Replaces the entry, so that changing the setup does not fill the history.
  history.replaceState(null, '', addressOf(state.setup, state.tab));
}

// ---- Reading the controls: the window's sentences under the entries; nothing runs on a fault.
const kReasonOf = { x1: 'x1Reason', n: 'nReason', maxn: 'maxnReason', methods: 'methodsReason' };
let checkTimer = 0;
function controlsChanged() {
  clearTimeout(checkTimer);
  checkTimer = setTimeout(readControls, 250);
}
async function readControls() {
  const asked = askedFromControls();
  let fault = false;
  if ($('equation').value === 'typed') {
    const reasons = await call('checkEquation', null, [asked.f, asked.x0, asked.y0, asked.exact]);
    for (const k of ['f', 'x0', 'y0', 'exact']) {
      $(`equation${k === 'f' ? 'F' : k === 'x0' ? 'X0' : k === 'y0' ? 'Y0' : 'Exact'}Reason`).textContent = reasons[k];
      fault ||= reasons[k] !== '';
    }
  }
  const read = await call('readSetup', asked);
  for (const [k, id] of Object.entries(kReasonOf)) {
    const line = read.ignored.find((l) => l.startsWith(`${k}: `));
    const reason = line ? capitalised(line.slice(k.length + 2).replace(/, so it was ignored$/, '.')) : '';
    if ($(id)) $(id).textContent = reason;
    if (k === 'n') $('stepsNReason').textContent = reason;
    if (k === 'methods' && !asked.methods) $(id).textContent = 'Check at least one method.';
    fault ||= reason !== '' || (k === 'methods' && !asked.methods);
  }
  if (fault) return;
  state.setup = read.setup;
  state.results = {};
  updateAddress();
  refresh();
}
const capitalised = (t) => t.charAt(0).toUpperCase() + t.slice(1);

// ---- Tabs: the WAI-ARIA pattern, arrow keys move between them and select.
function selectTab(tab, focus = false) {
  state.tab = tab;
  for (const t of kTabs) {
    const button = $(`tab-${t}`);
    button.setAttribute('aria-selected', String(t === tab));
    button.tabIndex = t === tab ? 0 : -1;
    $(`panel-${t}`).hidden = t !== tab;
  }
  if (focus) $(`tab-${tab}`).focus();
  if (state.setup) { updateAddress(); refresh(); }
}
$('tabs').addEventListener('keydown', (e) => {
  const i = kTabs.indexOf(state.tab);
  const to = { ArrowRight: i + 1, ArrowLeft: i - 1, Home: 0, End: kTabs.length - 1 }[e.key];
  if (to === undefined) return;
  e.preventDefault();
  selectTab(kTabs[(to + kTabs.length) % kTabs.length], true);
});
for (const t of kTabs) $(`tab-${t}`).addEventListener('click', () => selectTab(t));

// ---- Each tab's table and picture.
async function refresh() {
  const tab = state.tab;
  if (tab === 'convergence') { warmSweep(); drawTab('convergence'); return; }
  if (state.results[tab]) { drawTab(tab); return; }
  const setup = state.setup;
  try {
    const result = await call(tab === 'solution' ? 'compare' : tab, setup);
    if (setup !== state.setup) return;
    if (tab === 'solution' && !result.error) {
      result.curve = await call('solutionCurve', setup, [400]);
      state.view = null;
    }
    state.results[tab] = result;
    $(`${tab}Notes`).textContent = result.error ? capitalised(result.error) + '.' : result.notes.join('\n');
    renderTable($(`${tab}Table`), result.error ? '' : result.csv, `${tab} table`);
    // A step is chosen in its table as well as by its number; the picture follows either.
    if (tab === 'steps') {
      selectableRows($('stepsTable'), Number($('step').value), 1, (row) => { $('step').value = row; drawTab('steps'); });
    }
    drawTab(tab);
  } catch (error) {
    $(`${tab}Notes`).textContent = String(error.message);
  }
}

function drawTab(tab, surface = new CanvasSurface($(`${tab}Picture`))) {
  const r = state.results[tab];
  const s = state.setup;
  const draw = { solution: drawSolution, convergence: drawConvergence, steps: drawSteps, stability: drawStability }[tab];
  // The start abscissa: typed, moved by a click, or the preset's own.
  const x0 = s.x0 || state.info.presets.find((p) => p.id === s.eq).x0;
  const caption = s.f ? `y' = ${s.f}, y(${s.x0}) = ${s.y0}` : state.info.presets.find((p) => p.id === s.eq).caption;
  const description = draw(surface, s, r, { view: state.view, call, step: Number($('step').value), x0, figure: state.figure, caption,
    workPrecision: $('workPrecision').checked, stabilityView: document.querySelector('input[name=stabilityView]:checked').value,
    redraw: () => drawTab(tab) });
  if (description !== undefined && surface instanceof CanvasSurface) $(`${tab}Description`).textContent = description;
  return description;
}

// ---- Downloads: the tab's table as kemi-lab prints it, the picture as PNG and SVG.
for (const box of document.querySelectorAll('.downloads')) {
  const tab = box.dataset.tab;
  const button = (text, action) => {
    const b = document.createElement('button');
    b.type = 'button'; b.textContent = text; b.addEventListener('click', action); box.append(b);
  };
  button('Download the table as CSV', () => {
    const r = state.results[tab];
    if (r && r.csv) download(r.csv, `kemi-lab-${tab}.csv`, 'text/csv');
  });
  button('Download the picture as PNG', () => {
    $(`${tab}Picture`).toBlob((blob) => download(blob, `kemi-lab-${tab}.png`, 'image/png'));
  });
  button('Download the picture as SVG', () => {
    const canvas = $(`${tab}Picture`);
    const svg = new SvgSurface(canvas.width, canvas.height, canvas.getAttribute('aria-label'));
    const description = drawTab(tab, svg);
    download(svg.document(description ?? ''), `kemi-lab-${tab}.svg`, 'image/svg+xml');
  });
}

// ---- The convergence sweep: one Web Worker per method, at most one per core, rows streaming.
const sweep = { workers: [], idle: [], running: false };
const kSweepPool = () => Math.min(7, navigator.hardwareConcurrency || 2);
// Workers that have loaded the module wait for the next sweep, started when the tab opens, so
// a sweep does not wait for its workers to start.
function warmSweep() {
  while (sweep.idle.length + sweep.workers.length < kSweepPool()) {
    sweep.idle.push(new Worker(new URL('./lab-worker.js', import.meta.url), { type: 'module' }));
  }
}
function runSweep() {
  cancelSweep(false);
  const setup = state.setup;
  const methods = setup.methods.split(',');
  const result = { header: '', bodies: new Map(), rows: [], notes: [], csv: '', done: 0, total: methods.length };
  state.results.convergence = result;
  renderTable($('convergenceTable'), '', 'convergence table');
  $('convergenceNotes').textContent = 'Running...';
  $('runSweep').disabled = true; $('cancelSweep').disabled = false;
  sweep.running = true;
  const queue = [...methods];
  const started = performance.now();
  const finish = () => {
    sweep.running = false;
    $('runSweep').disabled = false; $('cancelSweep').disabled = true;
    result.csv = result.header + methods.map((m) => result.bodies.get(m) ?? '').join('');
    result.seconds = (performance.now() - started) / 1000;
    renderTable($('convergenceTable'), result.csv, 'convergence table');
    renderTable($('convergenceSummary'), convergenceSummary(result.rows), 'Summary per method');
    $('convergenceNotes').textContent = result.notes.join('\n');
    document.body.dataset.sweep = 'done';
    drawTab('convergence');
  };
  // Each worker loads the module once and takes the next method when it is done with one.
  const hire = () => {
    const w = sweep.idle.pop() ?? new Worker(new URL('./lab-worker.js', import.meta.url), { type: 'module' });
    sweep.workers.push(w);
    return w;
  };
  const fire = (w) => { w.terminate(); sweep.workers = sweep.workers.filter((x) => x !== w); };
  const rest = (w) => {
    w.onmessage = null; w.onerror = null;
    sweep.workers = sweep.workers.filter((x) => x !== w);
    sweep.idle.push(w);
  };
  const settled = () => {
    $('sweepProgress').value = ++result.done / result.total;
    if (result.done === result.total) finish();
  };
  const next = (w, retried = false, method = queue.shift()) => {
    if (method === undefined) { rest(w); return; }
    w.onmessage = ({ data }) => {
      if (data.row) { result.rows.push(parseCsv(data.row)[0]); scheduleDraw(); return; }
      if (data.ready) return;
      if (data.failure) result.notes.push(`${method}: ${data.failure}`);
      else {
        const lines = data.result.csv.split('\r\n');
        result.header = `${lines[0]}\r\n`;
        result.bodies.set(method, lines.slice(1).join('\r\n'));
        result.notes.push(...data.result.notes, ...(data.result.error ? [data.result.error] : []));
      }
      settled();
      if (data.failure) { fire(w); next(hire()); } else next(w);
    };
    // A worker that dies is replaced; its method runs once more in the new one.
    w.onerror = (event) => {
      event.preventDefault();
      fire(w);
      result.rows = result.rows.filter((row) => row[0] !== method);
      result.notes.push(`The worker running ${method} stopped (${event.message || 'out of memory'})` +
                        (retried ? '; the method has no rows.' : '; a new worker runs it again.'));
      $('convergenceNotes').textContent = result.notes.join('\n');
      if (retried) { settled(); next(hire()); } else next(hire(), true, method);
    };
    w.postMessage({ id: 1, kind: 'convergence', setup: { ...setup, methods: method } });
  };
  const pool = Math.min(methods.length, kSweepPool());
  $('sweepProgress').value = 0;
  document.body.dataset.sweep = 'running';
  for (let i = 0; i < pool; i++) next(hire());
}
function cancelSweep(tell = true) {
  for (const w of sweep.workers) w.terminate();
  sweep.workers = [];
  if (sweep.running && tell) $('convergenceNotes').textContent = 'Cancelled: the rows so far are shown.';
  sweep.running = false;
  $('runSweep').disabled = false; $('cancelSweep').disabled = true;
}
let drawPending = false;
function scheduleDraw() {
  if (drawPending) return;
  drawPending = true;
  requestAnimationFrame(() => { drawPending = false; drawTab('convergence'); });
}
$('runSweep').addEventListener('click', runSweep);
$('cancelSweep').addEventListener('click', () => cancelSweep());
$('panel-convergence').addEventListener('keydown', (e) => { if (e.key === 'Escape') cancelSweep(); });

// ---- Start: the presets and methods, then the address.
async function start() {
  startWorker();
  // The figure layer builds the Solution picture on this thread, so panning needs no round trip.
  import('./kemi-figure.js').then(({ default: createFigure }) => createFigure()).then((figure) => { state.figure = figure; if (state.results[state.tab]) drawTab(state.tab); });
  state.info = await call('info');
  for (const p of state.info.presets) $('equation').add(new Option(p.caption, p.id));
  $('equation').add(new Option('Your own...', 'typed'));
  for (const m of state.info.methods) {
    $('method').add(new Option(m.caption, m.id));
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox'; box.value = m.id; box.setAttribute('aria-label', `Include ${m.id}`);
    label.append(box, m.caption);
    $('methods').append(label);
  }
  const params = new URLSearchParams(location.search);
  const asked = {};
  const ignored = [];
  for (const k of kFields) {
    const v = params.get(k);
    if (v === null) continue;
    if (v.length > kLongestParameter) ignored.push(`${k}: longer than ${kLongestParameter} characters, so it was ignored`);
    else asked[k] = v;
  }
  let tab = params.get('tab') ?? 'solution';
  if (!kTabs.includes(tab)) { ignored.push(`tab: not one of ${kTabs.join(', ')}, so it was ignored`); tab = 'solution'; }
  const read = await call('readSetup', asked);
  ignored.push(...read.ignored);
  say(ignored.length ? `Some of the link's settings could not be used. ${ignored.map((l) => capitalised(l) + '.').join(' ')}` : '');
  state.setup = read.setup;
  showSetup(state.setup);
  selectTab(tab);
  for (const id of ['equationF', 'equationX0', 'equationY0', 'equationExact', 'x1', 'n', 'maxn']) $(id).addEventListener('input', controlsChanged);
  $('stepsN').addEventListener('input', () => { $('n').value = $('stepsN').value; controlsChanged(); });
  $('n').addEventListener('input', () => { $('stepsN').value = $('n').value; });
  for (const id of ['method', 'methods']) $(id).addEventListener('change', controlsChanged);
  $('equation').addEventListener('change', () => {
    $('own').hidden = $('equation').value !== 'typed';
    if ($('equation').value !== 'typed') { $('x1').value = ''; for (const r of document.querySelectorAll('#own .reason')) r.textContent = ''; }
    controlsChanged();
  });
  $('step').addEventListener('input', () => {
    const tr = document.querySelector(`#stepsTable-row${Number($('step').value)}`);
    if (tr) tr.click();
    else drawTab('steps');
  });
  $('workPrecision').addEventListener('change', () => drawTab('convergence'));
  for (const r of document.querySelectorAll('input[name=stabilityView]')) r.addEventListener('change', () => drawTab('stability'));
  solutionView($('solutionPicture'), {
    get: () => state.view, set: (v) => { state.view = v; drawTab('solution'); },
    frame: () => state.results.solution?.frame,
    setStart: (x0, y0) => {
      if ($('equation').value === 'typed') { $('equationX0').value = x0; $('equationY0').value = y0; }
      else state.setup = { ...state.setup, x0, y0 };
      $('x1').value = '';
      readControls();
    },
  });
  $('copyLink').addEventListener('click', async () => {
    try { await navigator.clipboard.writeText(location.href); $('linkStatus').textContent = 'Link copied.'; }
    catch { $('linkStatus').textContent = `Copy this link: ${location.href}`; }
  });
  $('aboutButton').addEventListener('click', () => $('about').showModal());
  if ('serviceWorker' in navigator && location.protocol !== 'file:') navigator.serviceWorker.register('sw.js').catch(() => {});
}
start();
