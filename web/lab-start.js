// Starts the lab page's computing worker as soon as the page is parsed, while lab.js and its
// modules load: the module's compiling is the longest part of opening the page.
const worker = new Worker(new URL('./lab-worker.js', import.meta.url), { type: 'module' });
const start = { worker, ready: false };
worker.onmessage = ({ data }) => { if (data.ready) start.ready = true; };
globalThis.kemiLabStart = start;
