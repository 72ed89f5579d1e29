'use strict';
// Functions that run inside the page (page.evaluate), reading what Chromium laid out.

// Every area with its data- attributes, its place relative to its window's canvas (CSS
// pixels), its tip's lines and colour; the table's lines; the legend's colours; the bitmaps.
function collect() {
  const numbers = (text) => text.split(' ').map(Number);
  const areas = [...document.querySelectorAll('.area')].map((el) => {
    const canvas = el.closest('.canvas');
    const c = canvas.getBoundingClientRect();
    const r = el.getBoundingClientRect();
    return {
      id: el.id, file: el.dataset.file, line: Number(el.dataset.line), kind: el.dataset.kind,
      box: numbers(el.dataset.box), size: numbers(canvas.dataset.size),
      canvas: [c.left, c.top, c.width, c.height],
      rect: [r.left - c.left, r.top - c.top, r.width, r.height],
      tip: [...el.querySelectorAll('.tip-line')].map((line) => line.textContent),
      colour: getComputedStyle(el).outlineColor,
    };
  });
  const legend = {};
  for (const item of document.querySelectorAll('.legend li'))
    legend[item.dataset.kind] = getComputedStyle(item.querySelector('.swatch')).borderTopColor;
  return {
    areas, legend,
    table: [...document.querySelectorAll('table.lines td.line')].map((td) => td.textContent),
    images: [...document.querySelectorAll('.canvas > img')].map((img) => ({
      window: img.closest('.window').dataset.window,
      decoded: img.complete && img.naturalWidth > 0,
    })),
  };
}

// A point of the area (viewport coordinates, after scrolling it into view) where it lies
// uppermost, so that the pointer there finds it; null when others cover it everywhere.
function freePoint(id) {
  const el = document.getElementById(id);
  el.scrollIntoView({ block: 'center', inline: 'center' });
  const r = el.getBoundingClientRect();
  const steps = [0.5, 0.25, 0.75, 0.1, 0.9, 0.02, 0.98];
  for (const fy of steps)
    for (const fx of steps) {
      const x = r.left + r.width * fx;
      const y = r.top + r.height * fy;
      const hit = document.elementFromPoint(x, y);
      if (hit && hit.closest('.area') === el) return { x, y };
    }
  return null;
}

// Whether the area's tip shows, what it says, and what lies over it if anything does.
function tipShown(id) {
  const el = document.getElementById(id);
  const tip = el.querySelector('.tip');
  const r = tip.getBoundingClientRect();
  const visible = getComputedStyle(tip).display !== 'none' && r.width > 0 && r.height > 0;
  let covered = null;
  const x = r.left + Math.min(r.width / 2, 12);
  const y = r.top + Math.min(r.height / 2, 8);
  if (visible && y >= 0 && y < innerHeight && x >= 0 && x < innerWidth) {
    const hit = document.elementFromPoint(x, y);
    if (hit && !tip.contains(hit)) covered = hit.id || hit.className || hit.tagName;
  }
  const text = visible ? tip.innerText : '';
  if (document.activeElement === el) el.blur();
  return { visible, covered, text };
}

module.exports = { collect, freePoint, tipShown };
