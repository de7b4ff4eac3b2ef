// The pages' figures in Debian's chromium side by side with the native programs, one run:
// load of the lab page with a fresh profile, a Solution picture redraw while panning, the
// default classroom sweep against `kemi-lab convergence` (both on every core), the longest task
// on the page's thread during that sweep, and the classroom page's click-to-plot for RK4 at N = 10^6 against the desktop's
// (kemi_bench_ui), with the click's time split into the module's run, the picture's copy and
// the page's own work. Not a test: machines differ; the load average is printed with the figures.
//   node bench/web_bench.mjs [rounds]      (after scripts/web --build-only and a release build)
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { loadavg, tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serveSite } from '../tests/web/site_server.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const site = process.env.KEMI_WEB_SITE ?? path.join(root, 'build/web/site');
const release = process.env.KEMI_RELEASE ?? path.join(root, 'build/release');
const rounds = Number(process.argv[2] ?? 3);
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const ms = (v) => `${v.toFixed(0)} ms`;

const { origin, server } = await serveSite(site);

async function browser() {
  const profile = mkdtempSync(path.join(tmpdir(), 'kemi-bench-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.KEMI_CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
    viewport: { width: 1280, height: 900 },
  });
  return { context, page: await context.newPage(), close: async () => { await context.close(); rmSync(profile, { recursive: true, force: true }); } };
}

function native(program, args) {
  const started = process.hrtime.bigint();
  const run = spawnSync(program, args, { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  if (run.status !== 0) throw new Error(`${program}: ${run.stderr}`);
  return { ms: Number(process.hrtime.bigint() - started) / 1e6, stdout: run.stdout };
}

console.log(`load average before: ${loadavg().map((v) => v.toFixed(2)).join(' ')}; cores: ${navigatorCores()}`);
function navigatorCores() { return spawnSync('nproc', { encoding: 'utf8' }).stdout.trim(); }

// 1. Navigation to a ready lab page (the Solution table and picture shown), fresh profile each.
const loads = [];
for (let i = 0; i < rounds; i++) {
  const b = await browser();
  await b.page.goto(`${origin}/lab.html`);
  await b.page.waitForFunction(() => document.querySelector('#solutionTable table') && document.getElementById('solutionDescription').textContent !== '');
  loads.push(await b.page.evaluate(() => performance.now()));
  await b.close();
}
console.log(`lab page load to ready (fresh profile): median ${ms(median(loads))} of ${loads.map(ms).join(', ')}`);

// 1b. A Solution picture redraw while panning (N = 1,000, seven methods, field): the arrow keys'
// redraws, each built by the figure layer and replayed on the canvas in the key's handler.
{
  const p = await browser();
  await p.page.goto(`${origin}/lab.html?n=1000`);
  await p.page.waitForFunction(() => document.getElementById('solutionDescription').textContent.startsWith('Solution'));
  await p.page.waitForTimeout(1000);  // the field's slopes arrive from the worker
  const pans = await p.page.evaluate(() => {
    const canvas = document.getElementById('solutionPicture');
    const times = [];
    for (let i = 0; i < 40; i++) {
      const t = performance.now();
      canvas.dispatchEvent(new KeyboardEvent('keydown', { key: i % 2 ? 'ArrowLeft' : 'ArrowRight', bubbles: true }));
      times.push(performance.now() - t);
    }
    return times;
  });
  console.log(`Solution picture redraw while panning (N = 1000, seven methods, field): median ${median(pans).toFixed(1)} ms, ` +
    `longest ${Math.max(...pans).toFixed(1)} ms of ${pans.length}`);
  await p.close();
}

// 2. The default classroom sweep, and the page thread's longest task and gap meanwhile.
const sweeps = [];
const longest = [];
const gaps = [];
const b = await browser();
let csv = '';
for (let i = 0; i < rounds; i++) {
  await b.page.goto(`${origin}/lab.html?tab=convergence`);
  await b.page.waitForSelector('#runSweep:not([disabled])');
  // The page's own start (its modules compiling) is not part of the sweep.
  await b.page.waitForTimeout(1000);
  const r = await b.page.evaluate(() => new Promise((resolve) => {
    const tasks = [];
    new PerformanceObserver((list) => tasks.push(...list.getEntries().map((e) => e.duration))).observe({ type: 'longtask' });
    let last = performance.now(); let gap = 0; let ticking = true;
    const tick = () => { const now = performance.now(); gap = Math.max(gap, now - last); last = now; if (ticking) setTimeout(tick, 0); };
    tick();
    const button = document.getElementById('runSweep');
    const started = performance.now();
    button.click();
    const done = () => {
      if (!button.disabled) {
        ticking = false;
        setTimeout(() => resolve({ ms: performance.now() - started, longest: Math.max(0, ...tasks), gap }), 50);
      } else setTimeout(done, 5);
    };
    setTimeout(done, 5);
  }));
  sweeps.push(r.ms); longest.push(r.longest); gaps.push(r.gap);
}
const threads = await b.page.evaluate(() => Math.min(7, navigator.hardwareConcurrency));
await b.close();
const nativeSweeps = [];
for (let i = 0; i < rounds; i++) {
  const run = native(path.join(release, 'app/kemi-lab'), ['convergence']);
  nativeSweeps.push(run.ms); csv = run.stdout;
}
console.log(`classroom sweep, ${csv.split('\n').length - 2} rows, ${threads} workers: page median ${ms(median(sweeps))} (${sweeps.map(ms).join(', ')}), ` +
  `kemi-lab convergence median ${ms(median(nativeSweeps))} (${nativeSweeps.map(ms).join(', ')}): ${(median(sweeps) / median(nativeSweeps)).toFixed(2)}x`);
console.log(`page thread during the sweep: longest task ${longest.map(ms).join(', ')}, longest gap between timers ${gaps.map(ms).join(', ')}`);

// 3. The classroom page: click on CALCULATE for RK4 at N = 10^6 to the picture shown, after a
// first run at this N (as kemi_bench_ui's BM_CalculateEndToEndRK4 times the window).
const c = await browser();
await c.page.goto(`${origin}/index.html`);
await c.page.waitForFunction(() => document.body.dataset.ready === 'true');
await c.page.fill('#Text_x1', '1');
await c.page.fill('#Text_N', '1000000');
await c.page.check('#Option_RK4');
const clicks = [];
const shown = [];
for (let i = 0; i <= 5 * rounds; i++) {
  // The run has ended when the page marks it so (list and picture in place); the next frame
  // shows them.
  const t = await c.page.evaluate(() => new Promise((resolve) => {
    const observer = new MutationObserver(() => {
      if (document.body.dataset.running !== 'false') return;
      observer.disconnect();
      const ended = performance.now() - started;
      requestAnimationFrame(() => resolve([ended, performance.now() - started]));
    });
    observer.observe(document.body, { attributes: true, attributeFilter: ['data-running'] });
    const started = performance.now();
    document.getElementById('Command1').click();
  }));
  if (i > 0) { clicks.push(t[0]); shown.push(t[1]); }
}
// The same runs with the module on the page's own thread, in the same engine: the part of the
// click spent in the WebAssembly run and the copy of the picture, without the worker's messages
// and the page's list and picture.
const [runs, copies] = await c.page.evaluate(async (count) => {
  const { default: createKemi } = await import('/kemi.js');
  const kemi = await createKemi();
  kemi.run('0', '-1', '1', '1000000', 3);
  const r = []; const p = [];
  for (let i = 0; i < count; i++) {
    let t = performance.now();
    kemi.run('0', '-1', '1', '1000000', 3);
    r.push(performance.now() - t);
    t = performance.now();
    kemi.picture().slice();
    p.push(performance.now() - t);
  }
  return [r, p];
}, 5 * rounds);
await c.close();
const desktop = native(path.join(release, 'bench/kemi_bench_ui'),
  ['--benchmark_filter=BM_CoreRunRK4/1000000$|BM_CalculateEndToEndRK4/1000000$', '--benchmark_format=json', '--benchmark_repetitions=3']);
const desktopOf = (name) => median(JSON.parse(desktop.stdout).benchmarks
  .filter((x) => x.run_type === 'iteration' && x.name.startsWith(name)).map((x) => x.real_time));
const desktopMs = desktopOf('BM_CalculateEndToEndRK4/1000000');
const ms1 = (v) => `${v.toFixed(1)} ms`;
console.log(`classroom click-to-plot, RK4, N = 10^6, ${clicks.length} clicks: page median ${ms1(median(clicks))} to the run's end on the page ` +
  `(${ms1(Math.min(...clicks))} to ${ms1(Math.max(...clicks))}), ${ms1(median(shown))} to the next frame; desktop ${ms1(desktopMs)} ` +
  `(click, run, list and plot painted): ${(median(clicks) / desktopMs).toFixed(2)}x, ${(median(shown) / desktopMs).toFixed(2)}x to the frame`);
console.log(`  page: module run ${ms1(median(runs))} and picture copy ${ms1(median(copies))} (the module on the page's thread), ` +
  `the rest ${ms1(median(clicks) - median(runs) - median(copies))} (the worker's messages, the list and the picture on the page); ` +
  `desktop core run ${ms1(desktopOf('BM_CoreRunRK4/1000000'))}`);
console.log(`load average after: ${loadavg().map((v) => v.toFixed(2)).join(' ')}`);
server.close();
