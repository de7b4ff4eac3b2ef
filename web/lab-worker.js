// Runs the lab's computations off the page's thread. Each message names a function of the
// module and its arguments; the answer goes back with the message's id. A convergence sweep
// posts each row as soon as it is final.
import createKemiLab from './kemi-lab.js';

const module = createKemiLab();

self.onmessage = async ({ data }) => {
  const lab = await module;
  const { id, kind, setup, args = [] } = data;
  try {
    let result;
    if (kind === 'convergence') {
      result = lab.convergence(setup, true, (line) => self.postMessage({ id, row: line }));
    } else if (kind === 'info') {
      result = { presets: lab.presets(), methods: lab.methods() };
    } else if (kind === 'checkEquation') {
      result = lab.checkEquation(...args);
    } else if (kind === 'readSetup') {
      result = lab.readSetup(setup);
    } else if (['compare', 'steps', 'stability'].includes(kind)) {
      result = lab[kind](setup);
    } else if (['slopes', 'solutionCurve', 'stage'].includes(kind)) {
      result = lab[kind](setup, ...args);
    } else if (kind === 'region') {
      result = lab.region(...args);
    } else if (kind === 'amplification') {
      result = lab.amplification(...args);
    } else {
      throw new Error(`no such computation: ${kind}`);
    }
    self.postMessage({ id, result });
  } catch (error) {
    // The module ran out of memory or failed otherwise: this worker is not used again.
    self.postMessage({ id, failure: String(error) });
  }
};

module.then(() => self.postMessage({ ready: true }),
            (error) => self.postMessage({ failure: String(error) }));
