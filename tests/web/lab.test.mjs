// The lab page's module against the native kemi-lab: each tab's CSV download must be the bytes
// the command prints for the same equation and options. Where a formula calls exp, sin, cos,
// log or pow, the browser's libm may differ from glibc's in the last bit: those cases must
// agree in every text and row, numbers within a few units in the last place, and the test
// prints how many values differ.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = process.env.KEMI_WEB_SITE ?? path.join(root, 'build/web/site');
const kemiLab = process.env.KEMI_LAB ?? path.join(root, 'build/dev/app/kemi-lab');

globalThis.__dirname = site;
globalThis.require = createRequire(import.meta.url);
const { default: createLab } = await import(pathToFileURL(path.join(site, 'kemi-lab.js')).href);
const lab = await createLab({ wasmBinary: readFileSync(path.join(site, 'kemi-lab.wasm')) });

const kOption = { eq: '--equation', f: '--f', x0: '--x0', y0: '--y0', exact: '--exact', x1: '--x1',
  n: '--n', maxn: '--max-n', method: '--method', methods: '--methods' };
const kUses = { compare: ['n', 'methods'], steps: ['n', 'method'], stability: ['methods'], convergence: ['maxn', 'methods'] };

function native(command, setup) {
  const args = [command];
  for (const [k, v] of Object.entries(setup)) {
    if (v === '' || (['n', 'maxn', 'method', 'methods'].includes(k) && !kUses[command].includes(k))) continue;
    args.push(kOption[k], v);
  }
  return spawnSync(kemiLab, args, { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
}

function page(command, setup) {
  if (command !== 'convergence') return lab[command](setup);
  // One sweep per method, as the page's workers run them, joined in table order.
  const parts = setup.methods.split(',').map((m) => lab.convergence({ ...setup, methods: m }, true, () => {}));
  const [header] = parts[0].csv.split('\r\n');
  return { csv: `${header}\r\n${parts.map((p) => p.csv.slice(header.length + 2)).join('')}`,
           notes: parts.flatMap((p) => p.notes), error: parts.map((p) => p.error).join('') };
}

// Cells that differ; numbers may differ only in their last bits (within 8 units in the last place).
function lastBitDifferences(a, b) {
  const la = a.split('\r\n'); const lb = b.split('\r\n');
  assert.equal(la.length, lb.length, 'row count');
  let count = 0;
  la.forEach((line, i) => {
    const ca = line.split(','); const cb = lb[i].split(',');
    assert.equal(ca.length, cb.length, `cells of row ${i}`);
    ca.forEach((cell, j) => {
      if (cell === cb[j]) return;
      const [x, y] = [Number(cell), Number(cb[j])];
      assert.ok(Number.isFinite(x) && Number.isFinite(y), `row ${i}: ${cell} against ${cb[j]}`);
      assert.ok(Math.abs(x - y) <= 8 * Number.EPSILON * Math.max(Math.abs(x), Math.abs(y)) ||
                Math.abs(x - y) < 1e-300 || j >= 4, `row ${i}: ${cell} against ${cb[j]}`);
      count++;
    });
  });
  return count;
}

const all = 'Euler,EulerEP,EulerMP,RK4,RKF,RKM,RK4G';
// bitExact: the numbers come from + - * / ^ and sqrt alone.
const cases = [
  ['compare', { eq: 'riccati', x1: '1', n: '16', methods: all }, true],
  ['steps', { eq: 'riccati', x1: '0.5', n: '5', method: 'RKF' }, true],
  ['stability', { eq: 'riccati', x1: '0.9', methods: all }, true],
  ['compare', { eq: 'riccati', x1: '0.9', n: '64', methods: 'EulerMP,RK4G' }, true],
  ['convergence', { eq: 'riccati', x1: '0.8', maxn: '256', methods: 'Euler,RK4,RKM' }, true],
  ['compare', { f: 'x*x - y/2 + sqrt(x+1)', x0: '0', y0: '1', x1: '2', n: '10', methods: all }, true],
  ['steps', { f: '-2*x - y', x0: '0', y0: '-1', exact: '-3*exp(-x) - 2*x + 2', x1: '0.4', n: '4', method: 'RK4G' }, false],
  ['compare', { eq: 'classroom', x1: '1', n: '8', methods: all }, false],
  ['convergence', { eq: 'classroom', x1: '1', maxn: '4096', methods: all }, false],
  ['stability', { eq: 'stiff', x1: '1.5', methods: 'Euler,RK4' }, false],
  ['compare', { eq: 'stiff', x0: '0.5', y0: '2', x1: '1', n: '20', methods: 'EulerEP,RKF' }, false],
  ['steps', { eq: 'logistic', x1: '3', n: '6', method: 'EulerMP' }, false],
  ['convergence', { eq: 'gauss', x1: '2', maxn: '1024', methods: 'EulerEP,RK4G' }, false],
  ['compare', { f: '1/(x - 0.5)', x0: '0', y0: '0', x1: '1', n: '2', methods: 'Euler' }, true],
];

test('every tab downloads the bytes kemi-lab prints', () => {
  let differing = 0;
  let values = 0;
  for (const [command, asked, bitExact] of cases) {
    const { setup, ignored } = lab.readSetup(asked);
    assert.deepEqual(ignored, [], `${command} ${JSON.stringify(asked)}`);
    const expected = native(command, asked);
    const got = page(command, setup);
    const label = `${command} ${JSON.stringify(asked)}`;
    if (expected.status !== 0) {
      assert.notEqual(got.error, '', label);
      assert.match(expected.stderr, new RegExp(got.error.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')), label);
      continue;
    }
    assert.equal(got.error, '', label);
    values += expected.stdout.split(/[,\r\n]+/).length;
    if (bitExact) assert.equal(got.csv, expected.stdout, label);
    else differing += lastBitDifferences(got.csv, expected.stdout);
    const told = expected.stderr.split('\n').filter((l) => l).map((l) => l.replace(/^kemi-lab \w+: /, ''));
    assert.deepEqual(got.notes, told, `${label}: notes`);
  }
  console.log(`# last-bit differences: ${differing} of ${values} values`);
});

test('a typed equation is refused with the command line\'s sentence', () => {
  for (const [f, exact] of [['2x+', ''], ['-2*x - y', '1+'], ['y/x', ''], ['foo(x)', ''], ['-2*x - y', 'x']]) {
    const check = lab.checkEquation(f, '0', '-1', exact);
    const run = native('compare', { f, x0: '0', y0: '-1', exact, n: '4', methods: 'Euler' });
    assert.notEqual(run.status, 0, f);
    const said = check.f || check.exact;
    assert.ok(said.endsWith('.'), said);
    // The same sentence, with a capital and a full stop (muParser's own number reader in
    // WebAssembly took "2x" as one malformed number before the study library gave it another).
    const sentence = said.slice(0, -1).toLowerCase();
    assert.ok(run.stderr.toLowerCase().includes(sentence), `${said} against ${run.stderr}`);
  }
});

test('a hostile or bad address keeps the defaults and names what it ignored', () => {
  const cases = [
    [{ eq: '<script>alert(1)</script>' }, ['eq']],
    [{ f: '2x+', y0: '1' }, ['f']],
    [{ eq: 'growth', n: '0', maxn: '1e12', method: 'RK5', methods: 'RK4,<b>' }, ['n', 'maxn', 'method', 'methods']],
    [{ eq: 'stiff', x1: 'NaN', x0: 'inf', exact: 'x' }, ['x0', 'exact', 'x1']],
  ];
  for (const [asked, names] of cases) {
    const { setup, ignored } = lab.readSetup(asked);
    assert.deepEqual(ignored.map((l) => l.split(':')[0]).sort(), [...names].sort(), JSON.stringify(asked));
    for (const v of Object.values(setup)) assert.doesNotMatch(v, /[<>]/);
    // What was kept reads back unchanged and without complaint: the address round trip.
    assert.deepEqual(lab.readSetup(setup), { setup, ignored: [] });
  }
});
