// Runs the calculation off the page's thread: loads the module once, runs each request in the
// same session (so the tables and the picture persist as in the window) and posts back what
// the page shows, the picture's pixels as a transferred buffer.
import createKemi from './kemi.js';

const module = createKemi();

self.onmessage = async ({ data }) => {
  const kemi = await module;
  try {
    const run = kemi.run(data.x0, data.y0, data.x1, data.N, data.method);
    const pixels = run.redrawn ? kemi.picture().slice().buffer : null;
    self.postMessage({ run, pixels }, pixels ? [pixels] : []);
  } catch (error) {
    // The module ran out of memory or failed otherwise: it cannot be trusted for another run.
    self.postMessage({ failure: String(error) });
  }
};

module.then(() => self.postMessage({ ready: true }),
            (error) => self.postMessage({ failure: String(error) }));
