// The lab page in Debian's chromium, served from the build folder on 127.0.0.1 (a service worker
// needs a secure origin): the picker's check, each tab with one CSV download against kemi-lab,
// the address both ways, keyboard-only tabs, 360 px without sideways scrolling, and a reload
// without a network.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serveSite } from './site_server.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = process.env.KEMI_WEB_SITE ?? path.join(root, 'build/web/site');
const kemiLab = process.env.KEMI_LAB ?? path.join(root, 'build/dev/app/kemi-lab');

let server;
let origin;
let context;
let profile;
let page;

before(async () => {
  ({ origin, server } = await serveSite(site));
  profile = mkdtempSync(path.join(tmpdir(), 'kemi-lab-chromium-'));
  context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.KEMI_CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
    viewport: { width: 1280, height: 800 }, acceptDownloads: true,
  });
  page = await context.newPage();
});

after(async () => {
  await context?.close();
  server?.close();
  if (profile) rmSync(profile, { recursive: true, force: true });
});

function native(args) {
  return spawnSync(kemiLab, args, { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } }).stdout;
}

async function downloadCsv(tab) {
  const [download] = await Promise.all([
    page.waitForEvent('download'),
    page.getByRole('button', { name: 'Download the table as CSV' }).and(page.locator(`#panel-${tab} button`)).click(),
  ]);
  return readFileSync(await download.path(), 'utf8');
}

test('each tab shows and downloads what kemi-lab prints, from the address', async () => {
  const started = Date.now();
  await page.goto(`${origin}/lab.html?eq=riccati&tab=solution&x1=0.5&n=16&methods=RK4,RKF`);
  await page.waitForSelector('#solutionTable table');
  console.log(`# lab page ready with the Solution table in ${Date.now() - started} ms`);
  assert.equal(await downloadCsv('solution'),
    native(['compare', '--equation', 'riccati', '--x1', '0.5', '--n', '16', '--methods', 'RK4,RKF']));

  await page.getByRole('tab', { name: 'Steps' }).click();
  await page.waitForSelector('#stepsTable table');
  assert.match(page.url(), /tab=steps/);
  assert.equal(await downloadCsv('steps'),
    native(['steps', '--equation', 'riccati', '--x1', '0.5', '--n', '16', '--method', 'RK4']));

  await page.getByRole('tab', { name: 'Stability' }).click();
  await page.waitForSelector('#stabilityTable table');
  assert.equal(await downloadCsv('stability'),
    native(['stability', '--equation', 'riccati', '--x1', '0.5', '--methods', 'RK4,RKF']));

  await page.getByRole('tab', { name: 'Convergence' }).click();
  await page.fill('#maxn', '512');
  await page.waitForFunction(() => location.search.includes('maxn=512'));
  await page.getByRole('button', { name: 'Run the sweep' }).click();
  await page.waitForSelector('body[data-sweep=done]');
  assert.equal(await downloadCsv('convergence'),
    native(['convergence', '--equation', 'riccati', '--x1', '0.5', '--max-n', '512', '--methods', 'RK4,RKF']));
  assert.ok(await page.locator('#convergenceTable tbody tr').count() > 10);
});

test('the picker refuses a faulty f under the entry, and the address follows the setup', async () => {
  await page.goto(`${origin}/lab.html`);
  await page.waitForSelector('#solutionTable table');
  await page.getByLabel('Equation', { exact: true }).selectOption('typed');
  await page.getByLabel('Right-hand side f(x, y)').fill('2x+');
  await page.waitForFunction(() => document.getElementById('equationFReason').textContent !== '');
  assert.match(await page.textContent('#equationFReason'), /position/);
  await page.getByLabel('Right-hand side f(x, y)').fill('x - y');
  await page.waitForFunction(() => location.search.includes('f=x+-+y'));
  const link = page.url();
  await page.goto(link);
  await page.waitForSelector('#solutionTable table');
  assert.equal(await page.inputValue('#equationF'), 'x - y');
  assert.equal(await page.locator('#addressNote').isHidden(), true);
});

test('a hostile address opens with the defaults and says what it ignored', async () => {
  await page.goto(`${origin}/lab.html?eq=%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E&n=-4&tab=evil`);
  await page.waitForSelector('#solutionTable table');
  const note = await page.textContent('#addressNote');
  for (const name of ['Eq:', 'N:', 'Tab:']) assert.ok(note.includes(name), note);
  assert.equal(await page.locator('#addressNote img').count(), 0);
  assert.equal(await page.inputValue('#n'), '8');
});

test('a step is chosen in its table by click and keys, and a failing worker is replaced', async () => {
  await page.goto(`${origin}/lab.html?eq=riccati&tab=steps&n=8&method=RK4`);
  await page.waitForSelector('#stepsTable table');
  await page.click('#stepsTable-row3 td');
  assert.equal(await page.inputValue('#step'), '3');
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.inputValue('#step'), '4');
  assert.equal(await page.getAttribute('#stepsTable-row4', 'aria-selected'), 'true');
  // The picture inside the step and its sentence come from the figure layer, as in the window.
  await page.waitForFunction(() => /^Inside step 4 of RK4, h = 0\.1125\. From .* Stage 4: slope /
    .test(document.querySelector('#stepsDescription').textContent));
  await page.keyboard.press('Home');
  assert.equal(await page.inputValue('#step'), '1');

  // A computation that fails ends its worker; the page says so and the next one runs on a new one.
  const failure = await page.evaluate(() => kemiLabForTests.call('no such').then(() => '', (e) => e.message));
  assert.match(failure, /no such computation/);
  assert.match(await page.textContent('#addressNote'), /a new worker has replaced it/);
  await page.getByRole('tab', { name: 'Stability' }).click();
  await page.waitForSelector('#stabilityTable table');
  await page.waitForFunction(() => /^Stability regions of Euler, EulerEP, .* and RK4G\. /
    .test(document.querySelector('#stabilityDescription').textContent));
});

test('a computation beyond the memory of the module ends with a message, and the page goes on', async () => {
  await page.goto(`${origin}/lab.html?eq=growth&tab=stability`);
  await page.waitForSelector('#stabilityTable table');
  // A region of 50,000 x 50,000 pixels: 2.5 GB, beyond the module's 2 GB.
  const failure = await page.evaluate(() =>
    kemiLabForTests.call('region', null, [3, -5, 1, -3, 3, 50000, 50000, NaN]).then(() => '', (e) => e.message));
  assert.match(failure, /not enough memory/);
  assert.match(await page.textContent('#addressNote'), /not enough memory.*a new worker has replaced it/);
  await page.getByRole('tab', { name: 'Steps' }).click();
  await page.waitForSelector('#stepsTable table');
});

test('keyboard-only tabs, 360 px without sideways scrolling, and a reload offline', async () => {
  await page.goto(`${origin}/lab.html?eq=growth`);
  await page.waitForSelector('#solutionTable table');
  await page.getByRole('tab', { name: 'Solution' }).focus();
  await page.keyboard.press('ArrowRight');
  assert.equal(await page.getAttribute('#tab-convergence', 'aria-selected'), 'true');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'tab-convergence');
  await page.keyboard.press('ArrowLeft');
  await page.setViewportSize({ width: 360, height: 740 });
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360));
  await page.setViewportSize({ width: 1280, height: 800 });

  // The service worker takes the page over once it has cached the site.
  await page.evaluate(async () => { await navigator.serviceWorker.ready; });
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await context.setOffline(true);
  await page.reload();
  await page.waitForSelector('#solutionTable table');
  await context.setOffline(false);
});
