'use strict';
// Loads click map pages in headless Chromium and checks each against the map's text lines:
// the table holds exactly the lines; every line is an area the page draws, at the position
// its box says, which shows that line when hovered (or, where nothing can be pointed at,
// focused); each kind has its legend's colour; every background bitmap decoded; nothing was
// fetched from outside the file.
// usage: node check.js PAGE.html LINES.txt [PAGE.html LINES.txt ...]
//        node check.js --screenshot OUT.png PAGE.html
// Exits 0 when every page matches, 1 on a difference, 77 when Chromium cannot run here.
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');
const { collect, freePoint, tipShown } = require('./page_probes');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
// As root and with no display; no connection attempts to the browser maker's services, which
// a closed network refuses one after another.
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-quic', '--disable-frame-rate-limit', '--disable-gpu-vsync'];
// Chromium lays boxes out in 1/64 of a CSS pixel.
const TOLERANCE = 0.6;
const MAX_REPORTED = 25;

function readLines(file) {
  // The Windows bench under Wine ends its lines with CR LF.
  const text = fs.readFileSync(file, 'utf8').replace(/\r\n/g, '\n');
  const lines = text.split('\n');
  if (lines[lines.length - 1] === '') lines.pop();
  return lines;
}

async function openPage(browser, file) {
  const context = await browser.newContext({ viewport: { width: 1200, height: 900 } });
  const page = await context.newPage();
  const outside = [];
  const errors = [];
  await context.route((url) => !/^(file|data|about|blob):/.test(url.protocol), (route) => {
    outside.push(route.request().url());
    return route.abort();
  });
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(pathToFileURL(path.resolve(file)).href, { waitUntil: 'load' });
  return { context, page, outside, errors };
}

// Pairs each text line with a drawn area whose file, line and tip carry it.
function matchLines(lines, areas, fail) {
  const carriers = new Map();
  areas.forEach((area, index) => area.tip.forEach((line) => {
    if (!carriers.has(line)) carriers.set(line, []);
    carriers.get(line).push(index);
  }));
  for (const line of lines) {
    const where = /^(.+?):(\d+): /.exec(line);
    const list = carriers.get(line) || [];
    const at = list.findIndex((i) => where && areas[i].file === where[1] &&
                                     areas[i].line === Number(where[2]));
    if (at < 0) fail(`the page draws no area that shows "${line}"`);
    else list.splice(at, 1);
  }
  for (const [line, left] of carriers)
    if (left.length) fail(`the page draws an area with a line the text does not hold: "${line}"`);
}

function checkPlaces(areas, fail) {
  for (const a of areas) {
    const scale = a.canvas[2] / a.size[0];
    const name = `${a.file}:${a.line}`;
    if (Math.abs(a.canvas[3] - a.size[1] * scale) > TOLERANCE)
      fail(`${name}: its window is drawn ${a.canvas[2]} x ${a.canvas[3]} px, not in the ` +
           `proportion of its ${a.size.join(' x ')} units`);
    const want = a.box.map((v) => v * scale);
    if (want.some((v, i) => Math.abs(v - a.rect[i]) > TOLERANCE))
      fail(`${name}: drawn at ${fmt(a.rect)} px from its window's corner; its box ` +
           `${a.box.join(' ')} at ${scale.toFixed(4)} px a unit says ${fmt(want)}`);
  }
}

function checkColours(areas, legend, fail) {
  const colours = Object.values(legend);
  if (new Set(colours).size !== colours.length) fail(`two kinds share a colour in the legend`);
  for (const a of areas)
    if (legend[a.kind] !== a.colour)
      fail(`${a.file}:${a.line}: coloured ${a.colour}, but the legend gives ${a.kind} ` +
           `${legend[a.kind]}`);
}

const fmt = (values) => values.map((v) => v.toFixed(2)).join(' ');

// Points at each area where it lies uppermost (or focuses it where it lies under others
// everywhere, as what no click reaches does) and reads the tip that shows.
async function checkHovers(page, areas, fail) {
  for (const a of areas) {
    const name = `${a.file}:${a.line}`;
    await page.mouse.move(0, 0);
    const point = await page.evaluate(freePoint, a.id);
    if (point) {
      await page.mouse.move(point.x, point.y);
    } else if (a.kind === 'hidden' || a.kind === 'unreachable' || !(a.rect[2] >= 1 && a.rect[3] >= 1)) {
      await page.focus(`#${a.id}`);
    } else {
      fail(`${name}: lies under other areas everywhere, so pointing at it shows another's tip`);
      continue;
    }
    const shown = await page.evaluate(tipShown, a.id);
    const how = point ? 'hovered' : 'focused';
    if (!shown.visible) fail(`${name}: ${how}, it shows no tip`);
    else if (shown.covered) fail(`${name}: ${how}, its tip is covered by ${shown.covered}`);
    else if (shown.text !== a.tip.join('\n'))
      fail(`${name}: ${how}, it shows "${shown.text}", not "${a.tip.join('\n')}"`);
  }
}

async function checkPage(browser, pageFile, linesFile) {
  const started = Date.now();
  const problems = [];
  const fail = (message) => problems.push(message);
  const lines = readLines(linesFile);
  const { context, page, outside, errors } = await openPage(browser, pageFile);
  const drawn = await page.evaluate(collect);
  if (drawn.table.join('\n') !== lines.join('\n')) {
    const at = lines.findIndex((line, i) => drawn.table[i] !== line);
    const i = at < 0 ? lines.length : at;
    fail(`the table's line ${i + 1} is "${drawn.table[i]}", the text's is "${lines[i]}"`);
  }
  matchLines(lines, drawn.areas, fail);
  checkPlaces(drawn.areas, fail);
  checkColours(drawn.areas, drawn.legend, fail);
  for (const image of drawn.images)
    if (!image.decoded) fail(`${image.window}: its background bitmap did not decode`);
  await checkHovers(page, drawn.areas, fail);
  for (const url of outside) fail(`it fetched ${url}`);
  for (const error of errors) fail(`its script failed: ${error}`);
  await context.close();
  const seconds = ((Date.now() - started) / 1000).toFixed(1);
  if (problems.length === 0) {
    console.log(`check-click-map: ${pageFile}: ${lines.length} lines, ${drawn.areas.length} ` +
                `areas, ${drawn.images.length} bitmaps: drawn, placed and hovered as the ` +
                `text says (${seconds} s)`);
    return true;
  }
  for (const p of problems.slice(0, MAX_REPORTED)) console.log(`FAIL: ${pageFile}: ${p}`);
  if (problems.length > MAX_REPORTED)
    console.log(`FAIL: ${pageFile}: and ${problems.length - MAX_REPORTED} more`);
  return false;
}

// The page as a reader first sees it: the legend, the windows, the first lines of the table,
// and the first area that plays a sound pointed at, its tip open.
async function screenshot(browser, out, pageFile) {
  const { context, page } = await openPage(browser, pageFile);
  await page.setViewportSize({ width: 1100, height: 900 });
  const first = await page.$('.area.kind-plays');
  if (first) {
    const point = await page.evaluate(freePoint, await first.getAttribute('id'));
    if (point) await page.mouse.move(point.x, point.y);
  }
  const height = await page.evaluate(() => {
    const sections = document.querySelectorAll('.window');
    const last = sections[sections.length - 1].getBoundingClientRect();
    // The table's rows that start within 250 px below the last window, whole.
    let bottom = last.bottom;
    for (const row of document.querySelectorAll('table.lines tr'))
      if (row.getBoundingClientRect().top < last.bottom + 250)
        bottom = row.getBoundingClientRect().bottom;
    return bottom + 2 + window.scrollY;
  });
  await page.screenshot({ path: out, clip: { x: 0, y: 0, width: 1100, height }, fullPage: true });
  await context.close();
}

async function main() {
  const args = process.argv.slice(2);
  const shot = args[0] === '--screenshot' ? args.splice(0, 2)[1] : null;
  if (shot ? args.length !== 1 : args.length === 0 || args.length % 2) {
    console.error('usage: tests/check-click-map PAGE.html LINES.txt [...] | --screenshot OUT.png PAGE.html');
    return 2;
  }
  let browser;
  try {
    browser = await chromium.launch({ executablePath: CHROMIUM, args: FLAGS });
  } catch (error) {
    console.log(`check-click-map: SKIPPED: ${CHROMIUM} cannot run here: ` +
                error.message.split('\n').slice(0, 3).join(' '));
    return 77;
  }
  try {
    if (shot) {
      await screenshot(browser, shot, args[0]);
      return 0;
    }
    let passed = 0;
    for (let i = 0; i < args.length; i += 2)
      if (await checkPage(browser, args[i], args[i + 1])) ++passed;
    const failed = args.length / 2 - passed;
    console.log(`check-click-map: ${passed} passed, ${failed} failed`);
    return failed ? 1 : 0;
  } finally {
    await browser.close();
  }
}

main().then((code) => process.exit(code), (error) => {
  console.error(`check-click-map: ${error.stack || error}`);
  process.exit(1);
});
