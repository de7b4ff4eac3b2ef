// The page's WebAssembly module against the native build: a table of runs, made in order in one
// session on both, must give the same step size, lines, stop messages, plot description and
// picture, byte for byte.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = process.env.KEMI_WEB_SITE ?? path.join(root, 'build/web/site');
const reference =
  process.env.KEMI_PAGE_REFERENCE ?? path.join(root, 'build/dev/tests/web/kemi_page_reference');

// The emscripten module expects these from a CommonJS world; Node cannot fetch a file URL, so
// the module gets its bytes directly.
globalThis.__dirname = site;
globalThis.require = createRequire(import.meta.url);
const { default: createKemi } = await import(pathToFileURL(path.join(site, 'kemi.js')).href);
const kemi = await createKemi({ wasmBinary: readFileSync(path.join(site, 'kemi.wasm')) });

const [Euler, EulerEP, EulerMP, RK4, RKF, RKM, RK4G] = [0, 1, 2, 3, 4, 5, 6];
// x1, N and the method as typed; x0 and y0 as the page shows them. Runs that stop keep what the
// previous run drew, so their order matters.
const runs = [
  ['0.4', '1', Euler],
  ['0.4', '4', EulerEP],
  ['1', '10', EulerMP],
  ['2.5', '1000', RK4],
  ['1e3', '1e5', RK4],
  [' 3 . 5 ', '7', RKF],
  ['0,4', '3', RKM],
  ['-1', '25', RK4G],
  ['0.4', '0', RK4],
  ['1e400', '5', Euler],
  ['0.4', '-3', Euler],
  ['0.4', '2.5e9', Euler],
  ['1e308', '1e-300', Euler],
  ['30', '2', Euler],
  ['1', '0.5', RKF],
  ['5e-324', '1', RK4],
  ['0.4', '1000000', RK4],
];

const cases = runs.map(([x1, N, method]) => ({ x0: '0', y0: '-1', x1, N, method }));
const native = execFileSync(reference, {
  input: cases.map((c) => [c.x0, c.y0, c.x1, c.N, c.method].join('\t')).join('\n') + '\n',
}).toString().trim().split('\n').map((line) => JSON.parse(line));

test('every run gives the native build\'s answers', () => {
  assert.equal(native.length, cases.length);
  let completed = 0;
  cases.forEach((c, i) => {
    const wasm = kemi.run(c.x0, c.y0, c.x1, c.N, c.method);
    const expected = native[i];
    const label = `run ${i}: x1=${c.x1} N=${c.N} method=${c.method}`;
    assert.deepEqual({ ...wasm, pictureHash: kemi.pictureHash() }, expected, label);
    if (wasm.completed) {
      completed += 1;
      assert.equal(wasm.lines.length, 4, label);
      assert.equal(wasm.lines[3], ' ', label);
    } else {
      assert.notEqual(wasm.cause, '', label);
    }
  });
  // The table must exercise both kinds of run.
  assert.ok(completed >= 8 && completed < cases.length, `completed ${completed}`);
});

test('the picture the page receives is the hashed one, in canvas byte order', () => {
  kemi.run('0', '-1', '0.4', '4', RK4);
  const rgba = kemi.picture();
  assert.equal(rgba.length, kemi.pictureWidth * kemi.pictureHeight * 4);
  // 64-bit FNV-1a over the bytes, as the native build hashes its pixels.
  let hash = 14695981039346656037n;
  for (const byte of rgba) hash = BigInt.asUintN(64, (hash ^ BigInt(byte)) * 1099511628211n);
  assert.equal(hash.toString(), kemi.pictureHash());
  const pixel = (x, y) => Array.from(rgba.subarray(4 * (y * kemi.pictureWidth + x), 4 * (y * kemi.pictureWidth + x) + 4));
  assert.deepEqual(pixel(0, 0), [255, 255, 192, 255]);
  let red = 0;
  for (let k = 0; k < rgba.length; k += 4) red += rgba[k] === 255 && rgba[k + 1] === 0 ? 1 : 0;
  assert.ok(red >= 30, `${red} red pixels`);
});
