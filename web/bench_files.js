// Treatment files for the benchmark, made from a fixed seed as
// scripts/make-examples.sh makes the examples: the same files on every run,
// in the page and in the tests (loaded there with require).
'use strict';
(function (root) {
  // The examples' generator: a linear congruential sequence and Box-Muller.
  function treatmentFile(name, code, sampleSize, pointEstimate, mean, sd, seed, b) {
    let state = seed;
    const uniform = () => {
      state = (state * 1103515245 + 12345) % 2147483648;
      return (state + 0.5) / 2147483648;
    };
    const normal = () => Math.sqrt(-2 * Math.log(uniform())) * Math.cos(6.283185307179586 * uniform());
    const lines = [`"${name}","Sample size",${sampleSize},"Bootstrap number",${b},"${code}",${sampleSize},${pointEstimate.toFixed(6)}`];
    for (let k = 0; k < b; k++) lines.push((mean + sd * normal()).toFixed(6));
    lines.push('-1');
    return lines.join('\r\n') + '\r\n';
  }

  // Four treatments with B values each.
  function benchmarkFiles(b = 3000) {
    return [
      ['Maize', 60, 0.1512, 0.1508, 0.0061, 11],
      ['Sorghum', 55, 0.1389, 0.1392, 0.0068, 23],
      ['Wheat', 58, 0.1371, 0.1369, 0.0072, 37],
      ['Barley', 57, 0.1450, 0.1447, 0.0065, 53],
    ].map(([name, n, point, mean, sd, seed]) => ({
      name: `${name} B${b}.txt`,
      text: treatmentFile(name, 'r', n, point, mean, sd, seed, b),
    }));
  }

  const api = { treatmentFile, benchmarkFiles };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.cptBenchFiles = api;
})(typeof self !== 'undefined' ? self : this);
