// The built page in Debian's chromium, offline: the site's files are served from the build
// folder by the test itself and every other request is refused. Runs typed and started from the
// keyboard must show the native build's step size, lines and picture; a stopped run shows its
// message; the controls keep the window's tab order and, from 800 px on, its positions and sizes;
// at 360 px nothing scrolls sideways.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = process.env.KEMI_WEB_SITE ?? path.join(root, 'build/web/site');
const reference =
  process.env.KEMI_PAGE_REFERENCE ?? path.join(root, 'build/dev/tests/web/kemi_page_reference');
const origin = 'http://kemi.invalid';

let context;
let profile;
let page;
const foreignRequests = [];

before(async () => {
  profile = mkdtempSync(path.join(tmpdir(), 'kemi-chromium-'));
  // A fresh profile each time, so nothing from an earlier run is cached.
  context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.KEMI_CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
    viewport: { width: 1280, height: 800 },
  });
  await context.route('**/*', (route) => {
    const url = new URL(route.request().url());
    const file = path.join(site, url.pathname === '/' ? 'index.html' : url.pathname);
    if (url.origin === origin && existsSync(file)) return route.fulfill({ path: file });
    foreignRequests.push(url.href);
    return route.abort();
  });
  page = await context.newPage();
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready=true]');
});

after(async () => {
  await context?.close();
  rmSync(profile, { recursive: true, force: true });
});

// Types the entries, selects the method and presses CALCULATE from the keyboard.
async function calculate(x1, N, option, key) {
  await page.fill('#Text_x1', x1);
  await page.fill('#Text_N', N);
  await page.check(`#${option}`);
  await page.focus('#Command1');
  await page.keyboard.press(key);
  await page.waitForSelector('body[data-running=false]');
}

const shown = () => page.evaluate(() => {
  const canvas = document.getElementById('Picture1');
  const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  let hash = 14695981039346656037n;
  for (const byte of rgba) hash = BigInt.asUintN(64, (hash ^ BigInt(byte)) * 1099511628211n);
  return {
    stepSize: document.getElementById('Text_h').value,
    lines: [...document.querySelectorAll('#List1 > li')].map((li) => li.textContent),
    pictureHash: hash.toString(),
    description: document.getElementById('Picture1_description').textContent,
    message: document.getElementById('Message').open,
  };
});

test('opens as the window does', async () => {
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Command1');
  const values = await page.$$eval('input[type=text]', (all) => all.map((e) => [e.id, e.value, e.disabled]));
  assert.deepEqual(values, [['Text_x0', '0', true], ['Text_y0', '-1', true],
    ['Text_x1', '0.4', false], ['Text_N', '1', false], ['Text_h', '', true]]);
  assert.equal(await page.isChecked('#Option_Euler'), true);
  // The window's tab order over the controls that take the focus.
  const order = [];
  for (let i = 0; i < 6; ++i) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, ['Picture1', 'Option_Euler', 'List1', 'Text_x1', 'Text_N', 'Mn_About']);
});

test('runs give the native build\'s text and pixels', async () => {
  const runs = [
    ['0.4', '1', 'Option_Euler', 'Space', 0],
    ['0.4', '4', 'Option_RK4', 'Enter', 3],
    ['2', '1000', 'Option_RKF', 'Space', 4],
    ['0,7', '3', 'Option_RK4G', 'Enter', 6],  // reads as 0 = x0: stops
    ['-1.5', '30', 'Option_EulerMP', 'Space', 2],
  ];
  const native = execFileSync(reference, {
    input: runs.map(([x1, N, , , m]) => ['0', '-1', x1, N, m].join('\t')).join('\n') + '\n',
  }).toString().trim().split('\n').map((line) => JSON.parse(line));
  const list = [];
  for (const [i, [x1, N, option, key]] of runs.entries()) {
    await calculate(x1, N, option, key);
    const now = await shown();
    const want = native[i];
    list.push(...want.lines);
    assert.equal(now.stepSize, want.stepSize, `run ${i}`);
    assert.deepEqual(now.lines, list, `run ${i}`);
    assert.equal(now.pictureHash, want.pictureHash, `run ${i}`);
    if (want.redrawn) assert.equal(now.description, want.description, `run ${i}`);
    assert.equal(now.message, !want.completed, `run ${i}`);
    if (now.message) await page.click('#Message_OK');
  }
  assert.equal(list.length, 4 * 4);
});

test('a stopped run says why in a modal message and keeps the list', async () => {
  const before = await shown();
  await calculate('0.4', '0', 'Option_Euler', 'Space');
  const after = await shown();
  assert.equal(after.message, true);
  assert.match(await page.textContent('#Message_text'), /N must not be 0/);
  assert.deepEqual(after.lines, before.lines);
  assert.equal(after.pictureHash, before.pictureHash);
  await page.keyboard.press('Enter');  // OK has the focus
  assert.equal((await shown()).message, false);
});

test('CALCULATE takes no second press while a run is under way', async () => {
  const lines = (await shown()).lines.length;
  await page.fill('#Text_N', '100000');
  await page.evaluate(() => {
    document.getElementById('Command1').click();
    document.getElementById('Command1').click();
  });
  await page.waitForSelector('body[data-running=false]');
  assert.equal((await shown()).lines.length, lines + 4);
});

test('About opens beside the window without blocking it', async () => {
  await page.click('#Mn_About');
  assert.equal(await page.evaluate(() => document.getElementById('Form_About').open), true);
  assert.match(await page.textContent('#Form_About'), /Solution of dy\/dx=-2\*x-y by numerical methods/);
  const lines = (await shown()).lines.length;
  await calculate('1', '2', 'Option_Euler', 'Enter');  // modeless: the window still takes input
  assert.equal((await shown()).lines.length, lines + 4);
  await page.click('#About_close');
});

// The window's controls in pixels (15 twips to a pixel), left, top, width and height from the
// top-left corner of its client area; an option button is its radio button with its caption.
const windowLayout = {
  Frame1: [8, 8, 161, 59], Label1: [15, 32, 25, 17], Text_x0: [40, 32, 41, 19],
  Label4: [88, 32, 25, 17], Text_y0: [112, 32, 41, 19],
  Frame4: [192, 8, 97, 57], Label2: [200, 32, 25, 17], Text_x1: [229, 32, 41, 19],
  Frame3: [312, 8, 169, 57], Label5: [320, 32, 25, 17], Text_N: [344, 32, 41, 19],
  Label3: [392, 32, 17, 17], Text_h: [416, 32, 57, 19],
  Command1: [8, 80, 149, 46], Frame2: [8, 136, 149, 190],
  Option_Euler: [24, 152, 49, 17], Option_EulerEP: [24, 176, 105, 17],
  Option_EulerMP: [24, 200, 105, 17], Option_RK4: [24, 224, 97, 17],
  Option_RKF: [22, 248, 129, 17], Option_RKM: [24, 272, 121, 17], Option_RK4G: [22, 297, 106, 15],
  Picture1: [160, 80, 321, 249], List1: [490, 7, 260, 316],
};

test('at 800 px and wider the controls stand within 2 px of the window\'s', async () => {
  for (const width of [800, 1280]) {
    await page.setViewportSize({ width, height: 800 });
    const boxes = await page.evaluate((ids) => {
      const client = document.getElementById('Form1').getBoundingClientRect();
      return Object.fromEntries(ids.map((id) => {
        const control = document.getElementById(id);
        const b = (control.type === 'radio' ? control.closest('label') : control).getBoundingClientRect();
        return [id, [b.left - client.left, b.top - client.top, b.width, b.height]];
      }));
    }, Object.keys(windowLayout));
    for (const [id, want] of Object.entries(windowLayout)) {
      const off = boxes[id].map((v, i) => Math.abs(v - want[i]));
      assert.ok(Math.max(...off) <= 2, `${width} px: ${id} at ${boxes[id].map(Math.round)}, not ${want}`);
    }
  }
});

test('at 360 px the groups stack without sideways scrolling', async () => {
  await page.setViewportSize({ width: 360, height: 740 });
  const layout = await page.evaluate(() => {
    const box = (id) => document.getElementById(id).getBoundingClientRect();
    return {
      scrollWidth: document.documentElement.scrollWidth,
      canvas: [document.getElementById('Picture1').width, box('Picture1').right],
      order: ['Frame1', 'Command1', 'Frame2', 'Picture1', 'List1'].map((id) => box(id).top),
    };
  });
  assert.ok(layout.scrollWidth <= 360, `scroll width ${layout.scrollWidth}`);
  assert.equal(layout.canvas[0], 321);
  assert.ok(layout.canvas[1] <= 360);
  assert.deepEqual([...layout.order].sort((a, b) => a - b), layout.order);
  await page.setViewportSize({ width: 1280, height: 800 });
});

test('nothing was asked of any other host', () => {
  assert.deepEqual(foreignRequests, []);
});
