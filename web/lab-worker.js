// Runs the lab's computations off the page's thread. Each message names a function of the
// module and its arguments; the answer goes back with the message's id. A convergence sweep
// posts each row as soon as it is final.
import createKemiLab from './kemi-lab.js';

const module = createKemiLab();

// What escapes the module: its bindings answer every refusal themselves, so a C++ exception
// that reaches here (it arrives as a number) is an allocation the module's memory could not
// hold, as is an abort when the memory cannot grow.
function reason(error) {
  const text = String(error);
  return typeof error === 'number' || /memory|alloc|OOM/i.test(text)
    ? 'not enough memory for this computation: try a smaller N' : text;
}

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
    self.postMessage({ id, failure: reason(error) });
  }
};

module.then(() => self.postMessage({ ready: true }),
            (error) => self.postMessage({ failure: String(error) }));
