// The page's controls: CALCULATE sends the entries to the worker, and what it sends back goes
// into Text_h, List1 and Picture1, or into the message box when the run stopped.
const $ = (id) => document.getElementById(id);
const command = $('Command1');
const picture = $('Picture1');
const list = $('List1');
const busy = $('Busy');
const message = $('Message');

// A run that has not ended after this long shows that it is still going.
const kProgressDelayMs = 500;
const kOutOfMemory =
  'There is not enough memory to finish this calculation. Try a smaller number of steps N.';

let worker = null;
let running = false;
let progressTimer = 0;

function startWorker() {
  worker = new Worker(new URL('./worker.js', import.meta.url), { type: 'module' });
  worker.onmessage = ({ data }) => {
    if (data.ready) document.body.dataset.ready = 'true';
    else if (data.failure) failed(data.failure);
    else finished(data.run, data.pixels);
  };
  // A worker that dies (the browser refused it memory) is replaced; the page keeps going.
  worker.onerror = (event) => {
    event.preventDefault();
    failed(event.message);
  };
}

function showMessage(text) {
  $('Message_text').textContent = text;
  if (!message.open) message.showModal();
}

function endRun() {
  running = false;
  clearTimeout(progressTimer);
  busy.hidden = true;
  command.removeAttribute('aria-busy');
  document.body.dataset.running = 'false';
}

function finished(run, pixels) {
  if (run.stepSizeShown) $('Text_h').value = run.stepSize;
  if (run.lines.length > 0) {
    const items = run.lines.map((line) => {
      const item = document.createElement('li');
      item.textContent = line;
      return item;
    });
    list.append(...items);
    items[items.length - 1].scrollIntoView({ block: 'nearest' });
  }
  if (pixels) {
    const image = new ImageData(new Uint8ClampedArray(pixels), picture.width, picture.height);
    picture.getContext('2d').putImageData(image, 0, 0);
    $('Picture1_description').textContent = run.description;
  }
  endRun();
  if (!run.completed) showMessage(run.cause);
}

// The module failed: during a run, the browser refused it memory; the worker is replaced and
// the page keeps going. A module that cannot even load is not started again.
function failed(reason) {
  console.error(reason);
  const duringRun = running;
  worker.terminate();
  endRun();
  if (duringRun) startWorker();
  showMessage(duringRun ? kOutOfMemory : `Kemi could not start in this browser: ${reason}`);
}

function calculate() {
  if (running) return;  // CALCULATE takes no second press while a run is under way
  running = true;
  document.body.dataset.running = 'true';
  command.setAttribute('aria-busy', 'true');
  progressTimer = setTimeout(() => { busy.hidden = false; }, kProgressDelayMs);
  worker.postMessage({
    x0: $('Text_x0').value,
    y0: $('Text_y0').value,
    x1: $('Text_x1').value,
    N: $('Text_N').value,
    method: Number(document.querySelector('input[name=Method]:checked').value),
  });
}

startWorker();
command.addEventListener('click', calculate);
$('Mn_About').addEventListener('click', () => $('Form_About').show());
$('About_close').addEventListener('click', () => $('Form_About').close());
$('Form_About').addEventListener('keydown', (event) => {
  if (event.key === 'Escape') $('Form_About').close();
});
command.focus();
// Both pages keep working offline once loaded (sw.js caches the site).
if ('serviceWorker' in navigator && location.protocol !== 'file:') navigator.serviceWorker.register('sw.js').catch(() => {});
