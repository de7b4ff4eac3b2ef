// The lab page's pictures, drawn once through a small surface interface that two surfaces
// implement: the canvas on the page and an SVG document for the download.

// As the window draws each method: Okabe-Ito colour, marker and dash (in line widths).
export const methodStyles = [
  { colour: '#000000', marker: 'circle', dash: [] },
  { colour: '#e69f00', marker: 'square', dash: [4, 2] },
  { colour: '#56b4e9', marker: 'triangle', dash: [1, 2] },
  { colour: '#009e73', marker: 'diamond', dash: [] },
  { colour: '#0072b2', marker: 'star', dash: [4, 2, 1, 2] },
  { colour: '#d55e00', marker: 'pentagon', dash: [4, 2, 1, 2, 1, 2] },
  { colour: '#cc79a7', marker: 'circle', hollow: true, dash: [8, 3] },
];

function markerPoints(kind, x, y, r) {
  const polygon = (count, start, radius = r) => Array.from({ length: count }, (_, i) => {
    const a = start + (2 * Math.PI * i) / count;
    return [x + radius * Math.cos(a), y + radius * Math.sin(a)];
  });
  if (kind === 'square') return polygon(4, Math.PI / 4, r * 1.2);
  if (kind === 'diamond') return polygon(4, 0, r * 1.3);
  if (kind === 'triangle') return polygon(3, -Math.PI / 2, r * 1.3);
  if (kind === 'pentagon') return polygon(5, -Math.PI / 2, r * 1.2);
  if (kind === 'star') {
    return Array.from({ length: 10 }, (_, i) => {
      const a = -Math.PI / 2 + (Math.PI * i) / 5;
      const radius = i % 2 ? r * 0.6 : r * 1.4;
      return [x + radius * Math.cos(a), y + radius * Math.sin(a)];
    });
  }
  return null;  // a circle
}

const kFont = '12px "Liberation Sans", Arial, sans-serif';

export class CanvasSurface {
  constructor(canvas) { this.ctx = canvas.getContext('2d'); this.width = canvas.width; this.height = canvas.height; }
  clear(colour) { this.ctx.fillStyle = colour; this.ctx.fillRect(0, 0, this.width, this.height); }
  path(points, { colour, width = 1, dash = [], fill = null, closed = false }) {
    const c = this.ctx;
    c.beginPath();
    points.forEach(([x, y], i) => (i ? c.lineTo(x, y) : c.moveTo(x, y)));
    if (closed) c.closePath();
    if (fill) { c.fillStyle = fill; c.fill(); }
    if (colour) { c.setLineDash(dash.map((d) => d * width)); c.strokeStyle = colour; c.lineWidth = width; c.stroke(); }
    c.setLineDash([]);
  }
  lines(segments, colour, width = 1, dash = []) {
    const c = this.ctx;
    c.beginPath();
    for (const [x1, y1, x2, y2] of segments) { c.moveTo(x1, y1); c.lineTo(x2, y2); }
    c.setLineDash(dash.map((d) => d * width));
    c.strokeStyle = colour; c.lineWidth = width; c.stroke();
    c.setLineDash([]);
  }
  circle(x, y, r, colour, fill, width = 1) {
    const c = this.ctx;
    c.beginPath(); c.arc(x, y, r, 0, 2 * Math.PI);
    if (fill) { c.fillStyle = fill; c.fill(); }
    c.strokeStyle = colour; c.lineWidth = width; c.stroke();
  }
  clipStart(x, y, w, h) { const c = this.ctx; c.save(); c.beginPath(); c.rect(x, y, w, h); c.clip(); }
  clipEnd() { this.ctx.restore(); }
  text(x, y, text, { colour = '#000', align = 'start', baseline = 'alphabetic' } = {}) {
    const c = this.ctx;
    c.font = '12px "Liberation Sans", Arial, sans-serif';
    c.fillStyle = colour; c.textAlign = align; c.textBaseline = baseline; c.fillText(text, x, y);
  }
  image(x, y, canvas) { this.ctx.drawImage(canvas, x, y); }
  title(x, y, w, h, text, bold) {
    const c = this.ctx;
    c.font = bold ? `bold ${kFont}` : kFont;
    c.fillStyle = '#000'; c.textAlign = 'center'; c.textBaseline = 'middle'; c.fillText(text, x + w / 2, y + h / 2);
  }
  clip(x, y, w, h, draw) {
    const c = this.ctx;
    c.save(); c.beginPath(); c.rect(x, y, w, h); c.clip(); draw(); c.restore();
  }
}

const escaped = (text) => String(text).replace(/[&<>"']/g, (ch) => `&#${ch.charCodeAt(0)};`);
const fixed = (v) => (Math.round(v * 100) / 100).toString();

export class SvgSurface {
  constructor(width, height, title) {
    this.width = width; this.height = height; this.parts = []; this.title = title; this.clips = 0;
  }
  clear(colour) { this.parts.push(`<rect width="${this.width}" height="${this.height}" fill="${colour}"/>`); }
  path(points, { colour, width = 1, dash = [], fill = null, closed = false }) {
    const d = points.map(([x, y], i) => `${i ? 'L' : 'M'}${fixed(x)} ${fixed(y)}`).join('') + (closed ? 'Z' : '');
    const dashes = dash.length ? ` stroke-dasharray="${dash.map((v) => v * width).join(' ')}"` : '';
    this.parts.push(`<path d="${d}" fill="${fill ?? 'none'}" stroke="${colour ?? 'none'}" stroke-width="${width}"${dashes}/>`);
  }
  lines(segments, colour, width = 1, dash = []) {
    const d = segments.map(([a, b, c, e]) => `M${fixed(a)} ${fixed(b)}L${fixed(c)} ${fixed(e)}`).join('');
    const dashes = dash.length ? ` stroke-dasharray="${dash.map((v) => v * width).join(' ')}"` : '';
    this.parts.push(`<path d="${d}" stroke="${colour}" stroke-width="${width}" fill="none"${dashes}/>`);
  }
  circle(x, y, r, colour, fill, width = 1) {
    const pen = width === 1 ? '' : ` stroke-width="${width}"`;
    this.parts.push(`<circle cx="${fixed(x)}" cy="${fixed(y)}" r="${r}" stroke="${colour}" fill="${fill ?? 'none'}"${pen}/>`);
  }
  clipStart(x, y, w, h) {
    const id = `clip${++this.clips}`;
    this.parts.push(`<clipPath id="${id}"><rect x="${x}" y="${y}" width="${w}" height="${h}"/></clipPath><g clip-path="url(#${id})">`);
  }
  clipEnd() { this.parts.push('</g>'); }
  text(x, y, text, { colour = '#000', align = 'start', baseline = 'alphabetic' } = {}) {
    const anchor = { start: 'start', left: 'start', center: 'middle', end: 'end', right: 'end' }[align];
    const shift = baseline === 'middle' ? ' dominant-baseline="middle"' : baseline === 'top' ? ' dominant-baseline="hanging"' : '';
    this.parts.push(`<text x="${fixed(x)}" y="${fixed(y)}" fill="${colour}" text-anchor="${anchor}"${shift} font-family="Liberation Sans, Arial, sans-serif" font-size="12">${escaped(text)}</text>`);
  }
  title(x, y, w, h, text, bold) {
    this.parts.push(`<text x="${fixed(x + w / 2)}" y="${fixed(y + h / 2)}" text-anchor="middle" dominant-baseline="middle"${bold ? ' font-weight="bold"' : ''} font-family="Liberation Sans, Arial, sans-serif" font-size="12">${escaped(text)}</text>`);
  }
  image(x, y, canvas) {
    this.parts.push(`<image x="${x}" y="${y}" width="${canvas.width}" height="${canvas.height}" href="${canvas.toDataURL('image/png')}"/>`);
  }
  clip(x, y, w, h, draw) {
    const id = `clip${++this.clips}`;
    this.parts.push(`<clipPath id="${id}"><rect x="${x}" y="${y}" width="${w}" height="${h}"/></clipPath><g clip-path="url(#${id})">`);
    draw();
    this.parts.push('</g>');
  }
  document(description) {
    return `<?xml version="1.0" encoding="UTF-8"?>\n<svg xmlns="http://www.w3.org/2000/svg" width="${this.width}" height="${this.height}" viewBox="0 0 ${this.width} ${this.height}"><title>${escaped(this.title)}</title><desc>${escaped(description)}</desc>${this.parts.join('')}</svg>\n`;
  }
}

// The width of `text` in the pictures' font, for the legend's box.
let measuring = null;
export function textWidth(text) {
  measuring ??= (typeof OffscreenCanvas === 'undefined' ? document.createElement('canvas') : new OffscreenCanvas(1, 1)).getContext('2d');
  measuring.font = kFont;
  return measuring.measureText(text).width;
}

// The pictures' font as the figure layer lays texts out with it.
export function textMetrics() {
  textWidth('');
  const m = measuring.measureText('Hg');
  return { ascent: m.fontBoundingBoxAscent, lineHeight: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent, measure: textWidth };
}

// Draws the figure layer's commands (plot/figure/commands.h: an opcode, then its numbers; texts
// and images by index) on a canvas or SVG surface: the same drawing, both files.
export function replay(surface, { ops, texts, images = [] }) {
  const colour = (r, g, b, a = 255) => (a >= 255 ? `rgb(${r},${g},${b})` : `rgba(${r},${g},${b},${Math.round(a / 255 * 1000) / 1000})`);
  let pen = { colour: '#000', width: 1, dash: [] };
  let brush = null;
  const points = (i) => {
    const n = ops[i]; const out = new Array(n);
    for (let k = 0; k < n; k++) out[k] = [ops[i + 1 + 2 * k], ops[i + 2 + 2 * k]];
    return [out, i + 1 + 2 * n];
  };
  const stroke = () => (pen.width > 0 ? pen.colour : null);
  for (let i = 0; i < ops.length;) {
    const op = ops[i++];
    if (op === 1) {
      const n = ops[i + 5];
      pen = { colour: colour(ops[i], ops[i + 1], ops[i + 2]), width: ops[i + 3], dash: Array.from(ops.subarray(i + 6, i + 6 + n)) };
      i += 6 + n;
    } else if (op === 2) {
      brush = ops[i + 3] > 0 ? colour(ops[i], ops[i + 1], ops[i + 2], ops[i + 3]) : null; i += 4;
    } else if (op === 3 || op === 4) {
      const [line, next] = points(i); i = next;
      if (op === 3) surface.path(line, { colour: pen.colour, width: pen.width, dash: pen.dash });
      else surface.path(line, { colour: stroke(), width: pen.width, fill: brush, closed: true });
    } else if (op === 5) {
      surface.circle(ops[i], ops[i + 1], ops[i + 2], stroke() ?? 'none', brush, pen.width); i += 3;
    } else if (op === 6) {
      const n = ops[i]; const segments = new Array(n);
      for (let k = 0; k < n; k++) segments[k] = Array.from(ops.subarray(i + 1 + 4 * k, i + 5 + 4 * k));
      surface.lines(segments, pen.colour, pen.width, pen.dash); i += 1 + 4 * n;
    } else if (op === 7) {
      const [x, y, w, h] = ops.subarray(i, i + 4); i += 4;
      surface.path([[x, y], [x + w, y], [x + w, y + h], [x, y + h]], { colour: stroke(), width: pen.width, fill: brush, closed: true });
    } else if (op === 8) {
      const [x, y, align, baseline, index] = ops.subarray(i, i + 5); i += 5;
      surface.text(x, y, texts[index], { colour: pen.colour, align: ['start', 'center', 'end'][align], baseline: ['alphabetic', 'middle', 'top'][baseline] });
    } else if (op === 9) {
      surface.clipStart(...ops.subarray(i, i + 4)); i += 4;
    } else if (op === 10) {
      surface.clipEnd();
    } else if (op === 11) {
      const [r, g, b, x, y, w, h] = ops.subarray(i, i + 7); i += 7;
      surface.path([[x, y], [x + w, y], [x + w, y + h], [x, y + h]], { colour: null, fill: colour(r, g, b), closed: true });
    } else if (op === 12) {
      const [x, y, w, h, index, bold] = ops.subarray(i, i + 6); i += 6;
      surface.title(x, y, w, h, texts[index], bold > 0);
    } else if (op === 13) {
      const [x, y, index] = ops.subarray(i, i + 3); i += 3;
      const { width, height, rgba } = images[index];
      const canvas = document.createElement('canvas');
      canvas.width = width; canvas.height = height;
      canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length), width, height), 0, 0);
      surface.image(x, y, canvas);
    } else {
      throw new Error(`unknown drawing command ${op}`);
    }
  }
}

export function marker(surface, method, x, y) {
  const style = methodStyles[method];
  const points = markerPoints(style.marker, x, y, 3);
  if (!points) surface.circle(x, y, 3, style.colour, style.hollow ? '#fff' : style.colour);
  else surface.path(points, { colour: style.colour, fill: style.colour, closed: true });
}

// Ticks at 1, 2 or 5 times a power of ten, about `count` of them over [min, max].
export function ticks(min, max, count = 6) {
  const raw = (max - min) / count;
  const power = 10 ** Math.floor(Math.log10(raw));
  const step = [1, 2, 5, 10].map((m) => m * power).find((s) => s >= raw);
  const out = [];
  for (let v = Math.ceil(min / step) * step; v <= max + step * 1e-9; v += step) out.push(Math.abs(v) < step * 1e-9 ? 0 : v);
  return out;
}
const tickText = (v) => String(Number(v.toPrecision(6)));

// A plot frame: the data rectangle [x0, x1] x [y0, y1] (y1 top) mapped to the surface with room
// for the axes' numbers; `log` axes take decades.
export class Frame {
  constructor(surface, box, { logX = false, logY = false } = {}) {
    Object.assign(this, { surface, box, logX, logY });
    this.left = 60; this.top = 12; this.right = surface.width - 12; this.bottom = surface.height - 30;
  }
  fx(x) { const [a, b] = this.logX ? [Math.log10(this.box.x0), Math.log10(this.box.x1)] : [this.box.x0, this.box.x1]; return this.left + ((this.logX ? Math.log10(x) : x) - a) / (b - a) * (this.right - this.left); }
  fy(y) { const [a, b] = this.logY ? [Math.log10(this.box.y0), Math.log10(this.box.y1)] : [this.box.y0, this.box.y1]; return this.bottom - ((this.logY ? Math.log10(y) : y) - a) / (b - a) * (this.bottom - this.top); }
  inverse(px, py) {
    const x = this.box.x0 + (px - this.left) / (this.right - this.left) * (this.box.x1 - this.box.x0);
    const y = this.box.y0 + (this.bottom - py) / (this.bottom - this.top) * (this.box.y1 - this.box.y0);
    return [x, y];
  }
  axes(xLabel, yLabel) {
    const s = this.surface;
    const decades = (a, b) => { const out = []; for (let e = Math.ceil(Math.log10(a)); e <= Math.floor(Math.log10(b)); e++) out.push(10 ** e); return out; };
    const xs = this.logX ? decades(this.box.x0, this.box.x1) : ticks(this.box.x0, this.box.x1);
    const ys = this.logY ? decades(this.box.y0, this.box.y1) : ticks(this.box.y0, this.box.y1);
    const grid = [];
    for (const x of xs) grid.push([this.fx(x), this.top, this.fx(x), this.bottom]);
    for (const y of ys) grid.push([this.left, this.fy(y), this.right, this.fy(y)]);
    s.lines(grid, '#e0e0e0');
    s.path([[this.left, this.top], [this.left, this.bottom], [this.right, this.bottom]], { colour: '#000' });
    const label = (v, log) => (log ? `1e${Math.round(Math.log10(v))}` : tickText(v));
    for (const x of xs) s.text(this.fx(x), this.bottom + 14, label(x, this.logX), { align: 'center' });
    for (const y of ys) s.text(this.left - 4, this.fy(y), label(y, this.logY), { align: 'end', baseline: 'middle' });
    s.text(this.right, this.bottom + 27, xLabel, { align: 'end' });
    s.text(this.left + 4, this.top + 10, yLabel);
  }
  inside(draw) { this.surface.clip(this.left, this.top, this.right - this.left, this.bottom - this.top, draw); }
  legend(entries) {
    const s = this.surface;
    entries.forEach(({ name, method, colour, dash }, i) => {
      const y = this.top + 12 + i * 16;
      const x = this.right - 150;
      s.path([[x, y], [x + 24, y]], { colour: colour ?? methodStyles[method].colour, width: 1.5, dash: dash ?? methodStyles[method]?.dash ?? [] });
      if (method !== undefined) marker(s, method, x + 12, y);
      s.text(x + 30, y, name, { baseline: 'middle' });
    });
  }
}
