// The frequency chart of a sort-and-count as SVG: the bins and the normal
// curve the core worked out (the desktop chart's data), drawn on round axes.
'use strict';
(function (root) {
  const Width = 720;
  const Height = 400;
  const Margin = { left: 70, right: 20, top: 40, bottom: 80 };

  function escapeText(text) {
    return String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  }

  // About `wanted` round values (1, 2 or 5 times a power of ten) over [low, high].
  function niceTicks(low, high, wanted = 8) {
    if (!(high > low)) return [low];
    const raw = (high - low) / wanted;
    const power = Math.pow(10, Math.floor(Math.log10(raw)));
    const step = [1, 2, 5, 10].map((f) => f * power).find((s) => s >= raw) || 10 * power;
    const ticks = [];
    let value = Math.floor(low / step) * step;
    ticks.push(Number(value.toPrecision(12)));
    while (value < high - step * 1e-9) {
      value += step;
      ticks.push(Number(value.toPrecision(12)));
    }
    return ticks;
  }

  function label(value) {
    return String(Number(value.toPrecision(6)));
  }

  function frequencyChartSvg(chart) {
    const counts = chart.counts;
    const end = chart.start + chart.width * counts.length;
    let top = Math.max(...counts, 0);
    if (chart.peak !== undefined) top = Math.max(top, Math.min(chart.peak, 2 * top));
    const xTicks = niceTicks(chart.start, end);
    const yTicks = niceTicks(0, top > 0 ? top * 1.1 : 1, 6);
    const xLow = Math.min(chart.start, xTicks[0]);
    const xHigh = Math.max(end, xTicks[xTicks.length - 1]);
    const yHigh = yTicks[yTicks.length - 1];
    const left = Margin.left;
    const right = Width - Margin.right;
    const plotTop = Margin.top;
    const bottom = Height - Margin.bottom;
    const x = (value) => left + ((value - xLow) / (xHigh - xLow)) * (right - left);
    const y = (value) => bottom - (value / yHigh) * (bottom - plotTop);

    const parts = [];
    parts.push(`<svg xmlns="http://www.w3.org/2000/svg" width="${Width}" height="${Height}" viewBox="0 0 ${Width} ${Height}" font-family="DejaVu Sans, sans-serif">`);
    parts.push(`<rect width="${Width}" height="${Height}" fill="#fff"/>`);
    parts.push(`<text x="${Width / 2}" y="24" text-anchor="middle" font-size="15" font-weight="bold">${escapeText(chart.title)}</text>`);
    for (const tick of yTicks) {
      parts.push(`<line x1="${left}" y1="${y(tick)}" x2="${right}" y2="${y(tick)}" stroke="#e1e1e1"/>`);
      parts.push(`<text x="${left - 6}" y="${y(tick) + 4}" text-anchor="end" font-size="12">${label(tick)}</text>`);
    }
    counts.forEach((count, bin) => {
      const from = x(chart.start + bin * chart.width);
      const to = x(chart.start + (bin + 1) * chart.width);
      parts.push(`<rect class="bar" x="${from}" y="${y(count)}" width="${to - from}" height="${bottom - y(count)}" fill="rgb(70,130,180)" fill-opacity="0.8" stroke="rgb(25,60,110)"/>`);
    });
    if (chart.curveX.length > 0) {
      const points = chart.curveX.map((value, k) => `${x(value).toFixed(2)},${y(Math.min(chart.curveY[k], yHigh)).toFixed(2)}`);
      parts.push(`<polyline class="normal-curve" points="${points.join(' ')}" fill="none" stroke="rgb(200,30,30)" stroke-width="2"/>`);
    }
    parts.push(`<line x1="${left}" y1="${bottom}" x2="${right}" y2="${bottom}" stroke="#000"/>`);
    parts.push(`<line x1="${left}" y1="${bottom}" x2="${left}" y2="${plotTop}" stroke="#000"/>`);
    for (const tick of xTicks) {
      parts.push(`<line x1="${x(tick)}" y1="${bottom}" x2="${x(tick)}" y2="${bottom + 5}" stroke="#000"/>`);
      parts.push(`<text x="${x(tick)}" y="${bottom + 19}" text-anchor="middle" font-size="12">${label(tick)}</text>`);
    }
    parts.push(`<text x="${(left + right) / 2}" y="${bottom + 40}" text-anchor="middle" font-size="13">Value</text>`);
    parts.push(`<text transform="translate(18 ${(plotTop + bottom) / 2}) rotate(-90)" text-anchor="middle" font-size="13">Frequency</text>`);
    if (chart.curveX.length > 0) {
      const legend = `Normal curve (mean ${label(chart.mean)}, SD ${label(chart.standardDeviation)})`;
      parts.push(`<line x1="${left}" y1="${Height - 14}" x2="${left + 30}" y2="${Height - 14}" stroke="rgb(200,30,30)" stroke-width="2"/>`);
      parts.push(`<text x="${left + 38}" y="${Height - 10}" font-size="12">${escapeText(legend)}</text>`);
    }
    parts.push('</svg>');
    return parts.join('\n');
  }

  root.cptChart = { frequencyChartSvg };
})(typeof self !== 'undefined' ? self : this);
