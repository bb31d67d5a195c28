// page.mjs: the browser build played in the machine's Chromium, in one
// grouped scenario. Every wait is on what the game prints or shows.
// Usage: node tests/web/page.mjs SITE_DIR [--measure] (from the repository root).
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const site = path.resolve(process.argv[2] || 'build-web/site');
const measure = process.argv.includes('--measure');
const WAIT = 30000;  // a busy machine may be slow, never this slow

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAIL'} - ${what}`);
  if (!ok) failures++;
}

// The site as any static host serves it, on a free port of the loopback.
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.png': 'image/png'};
const server = http.createServer((request, response) => {
  const name = path.join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname));
  const file = name.endsWith('/') ? path.join(name, 'index.html') : name;
  if (!file.startsWith(site) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
  fs.createReadStream(file).pipe(response);
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velm2-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
  protocolTimeout: 120000,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

// The level pack's first two levels and the stored solution of the first.
const list = fs.readFileSync('level/standart/list', 'utf8').split('\n').map(s => s.trim());
const loaded = name => `Load Level 'level/standart/${name}'... OK`;
const solution = fs.readFileSync(`level/source/${list[0].replace(/\.lev$/, '')}.solution`, 'utf8')
  .trim().toUpperCase().split('');
const arrows = {U: ['ArrowUp', 38], D: ['ArrowDown', 40], L: ['ArrowLeft', 37], R: ['ArrowRight', 39]};

// A pixel inside the level-complete picture, as it is drawn at (58, 150).
const win = fs.readFileSync('data/win.bmp');
const winX = 262, winY = 90;
const winWidth = win.readInt32LE(18), winHeight = win.readInt32LE(22);
const at = win.readUInt32LE(10) + (winHeight - 1 - winY) * Math.ceil(winWidth * 3 / 4) * 4 + winX * 3;
const winColour = [win[at + 2], win[at + 1], win[at]];

let page;
try {
  page = await browser.newPage();
  await page.setViewport({width: 900, height: 800});
  const problems = [];
  page.on('console', message => {
    if (message.type() === 'error') problems.push(message.text());
  });
  page.on('pageerror', error => problems.push(error.message));
  page.on('requestfailed', request => problems.push(`${request.url()} failed`));
  // Lines the game prints, with the page time they came at; and what the
  // canvas shows: a fingerprint of the board area (below the frame rate, left
  // of the counters, above the key help), magenta pixels, one pixel's colour.
  await page.evaluateOnNewDocument(() => {
    window.lines = [];
    const log = console.log.bind(console);
    console.log = (...parts) => {
      window.lines.push({text: parts.join(' '), time: performance.now()});
      log(...parts);
      // By the second frame from the first level's line, the game has drawn it.
      if (window.drawn === undefined && parts.join(' ').startsWith('Load Level ')) {
        window.drawn = null;
        requestAnimationFrame(() => requestAnimationFrame(() => (window.drawn = performance.now())));
      }
    };
    const pixels = (x, y, w, h) =>
      document.getElementById('canvas').getContext('2d').getImageData(x, y, w, h).data;
    window.board = () => {
      let hash = 0;
      for (const value of pixels(0, 14, 560, 410)) hash = (hash * 31 + value) | 0;
      return hash;
    };
    window.magenta = () => {
      const data = pixels(0, 0, 640, 480);
      let count = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] > 247 && data[i + 1] < 8 && data[i + 2] > 247) count++;
      }
      return count;
    };
    window.colour = (x, y) => Array.from(pixels(x, y, 1, 1).slice(0, 3));
    window.frames = count => new Promise(resolve => {
      const next = () => (--count < 0 ? resolve() : requestAnimationFrame(next));
      next();
    });
  });

  // Waits until `test` holds in the page, checked every frame; a time-out
  // names what never came.
  async function until(what, test, ...args) {
    try {
      await page.waitForFunction(test, {polling: 'raf', timeout: WAIT}, ...args);
    } catch (error) {
      throw new Error(`${what} did not come within ${WAIT / 1000} s`);
    }
  }
  const printed = line => until(`"${line}"`, text => window.lines.some(l => l.text === text), line);
  const count = line => page.evaluate(text => window.lines.filter(l => l.text === text).length, line);
  const board = () => page.evaluate(() => window.board());
  // Holds an arrow until the board shows the step it started. The release is
  // sent from the page, in the frame that showed the step, so that it reaches
  // the game long before the 0.16 s glide ends and a second step could start,
  // however busy the machine. Then the glide is waited out by the page's
  // clock, which is the game's.
  async function step(key, keyCode) {
    const released = page.evaluate((key, keyCode, wait) => new Promise((resolve, reject) => {
      const before = window.board();
      const start = performance.now();
      const poll = () => {
        if (performance.now() - start > wait) {
          reject(new Error(`${key} held for ${wait / 1000} s took no step`));
          return;
        }
        if (window.board() === before) {
          requestAnimationFrame(poll);
          return;
        }
        const up = new KeyboardEvent('keyup', {key, code: key, bubbles: true});
        Object.defineProperty(up, 'keyCode', {get: () => keyCode});
        document.dispatchEvent(up);
        resolve();
      };
      requestAnimationFrame(poll);
    }), key, keyCode, WAIT);
    await page.keyboard.down(key);
    await released;
    await page.keyboard.up(key);
    await page.evaluate(async () => {
      const start = performance.now();
      while (performance.now() - start < 300) await window.frames(1);
    });
  }
  // A press of a key that acts on its release.
  async function release(key) {
    await page.keyboard.press(key);
    await page.evaluate(() => window.frames(3));
  }

  await page.goto(address);
  await printed(loaded(list[0]));
  await page.evaluate(() => window.frames(2));
  const start = await board();
  check(await page.evaluate(() => window.magenta()) === 0, 'the first level shows no magenta pixel');
  const focused = await page.evaluate(() => document.activeElement.id);
  check(focused === 'canvas', `the game has the keyboard focus at once (${focused})`);

  await step(...arrows[solution[0]]);
  const walked = await board();
  check(walked !== start, 'a held arrow walks');
  const lines = await page.evaluate(() => window.lines.length);
  // The browser reports I, J and K with the PC's codes of Minus, Equals and
  // Backspace.
  for (const key of ['KeyI', 'KeyJ', 'KeyK']) {
    await page.keyboard.down(key);
    await page.evaluate(() => window.frames(3));
    await page.keyboard.up(key);
    await page.evaluate(() => window.frames(3));
  }
  check(await board() === walked && await page.evaluate(() => window.lines.length) === lines,
    'I, J and K, not keys of the game, do nothing');
  // Escape cannot close a page; the game must go on, not stop in it.
  await release('Escape');
  await release('Backspace');
  await until('the board as at the start', b => window.board() === b, start);
  check(page.url() === address, 'after Escape, Backspace takes the step back and the page stays');

  await release('Equal');
  await printed(loaded(list[1]));
  await release('Minus');
  await until('level 1 loaded again', text => window.lines.filter(l => l.text === text).length === 2,
    loaded(list[0]));
  check(true, 'Plus and Minus load their levels');

  for (const letter of solution) await step(...arrows[letter]);
  await until('the level-complete picture',
    c => window.colour(320, 240).every((v, i) => Math.abs(v - c[i]) < 9), winColour);
  check(await page.evaluate(() => window.magenta()) === 0,
    'the stored solution of level 1 brings the level-complete screen, without magenta');
  const secondLoads = await count(loaded(list[1]));
  await page.keyboard.down('Space');
  await until('level 2 after Space', (text, n) => window.lines.filter(l => l.text === text).length > n,
    loaded(list[1]), secondLoads);
  await page.keyboard.up('Space');
  check(true, 'Space brings level 2');

  if (measure) {
    const [firstLevel, drawn] = await page.evaluate(text =>
      [window.lines.find(l => l.text === text).time, window.drawn], loaded(list[0]));
    console.log(`first level loaded ${firstLevel.toFixed(0)} ms and drawn ${drawn.toFixed(0)} ms` +
      ' after the page started loading');
    const session = await page.createCDPSession();
    await session.send('Performance.enable');
    const metric = async () => Object.fromEntries(
      (await session.send('Performance.getMetrics')).metrics.map(m => [m.name, m.value]));
    const before = await metric();
    const frames = await page.evaluate(async () => {
      const start = performance.now();
      let count = 0;
      while (performance.now() - start < 5000) {
        await window.frames(1);
        count++;
      }
      return count / ((performance.now() - start) / 1000);
    });
    const after = await metric();
    const busy = (after.TaskDuration - before.TaskDuration) / (after.Timestamp - before.Timestamp);
    console.log(`${frames.toFixed(1)} frames per second; main thread busy ${(busy * 100).toFixed(1)}%`);
    let raw = 0, packed = 0;
    for (const name of fs.readdirSync(site)) {
      const bytes = fs.readFileSync(path.join(site, name));
      raw += bytes.length;
      packed += zlib.gzipSync(bytes, {level: 9}).length;
    }
    console.log(`site ${raw} bytes, ${packed} gzip-compressed`);
  }
  check(problems.length === 0, `no errors on the console${problems.length ? ': ' + problems : ''}`);
} catch (error) {
  check(false, error.stack);
  const shot = path.join(site, '..', 'failure.png');
  await page?.screenshot({path: shot}).then(() => console.log(`screenshot: ${shot}`), () => {});
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, {recursive: true, force: true});
}
console.log(failures ? `browser test: ${failures} failed` : 'browser test: every check passed');
process.exit(failures ? 1 : 0);
