// Drives the web build in the system's headless chromium: a static server for the
// folder, the browser, and the few ways a test or a benchmark talks to the game.
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

export const CLIENT_WIDTH = 640;
export const CLIENT_HEIGHT = 480;
export const SCENE = { title: 0, nameEntry: 1, ranking: 2, intro: 3, round: 4 };
// Where the game's buttons and keys are, in the picture's own pixels.
export const START = [310, 266];
export const RANKING = [315, 321];
export const NO_INTRO = [315, 386];
export const CENTRE = [320, 240];
const LETTERS = [[100, 165], [200, 165], [300, 165]];
const NAME_OK = [340, 415];

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
const CHROMIUM_FLAGS = [
  '--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run',
  // The game's clock must not be slowed down when the page is not in front.
  '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
  '--enable-unsafe-swiftshader',
];
const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
};
const POLL_MS = 25;
const STALL_MS = 20000;

// Serves the folder on 127.0.0.1 and counts the bytes it sends.
export async function serve(folder) {
  const server = http.createServer((request, response) => {
    server.requests.push(request.url);
    const name = path.basename(new URL(request.url, 'http://x').pathname) || 'index.html';
    const file = path.join(folder, name);
    if (!fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    const body = fs.readFileSync(file);
    server.bytesSent += body.length;
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream' });
    response.end(body);
  });
  server.bytesSent = 0;
  server.requests = [];
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  server.url = `http://127.0.0.1:${server.address().port}/`;
  return server;
}

export async function launch(userDataDir) {
  return puppeteer.launch({ executablePath: CHROMIUM, headless: true, args: CHROMIUM_FLAGS, userDataDir });
}

export async function open(browser, url, viewport) {
  const page = await browser.newPage();
  await page.setViewport({ ...viewport, hasTouch: true });
  page.on('console', (message) => {
    if (message.type() === 'error') console.log(`  page console: ${message.text()}`);
  });
  page.on('pageerror', (error) => console.log(`  page error: ${error.message}`));
  await page.goto(url);
  return page;
}

// The simulator's state line as an object; numbers as numbers.
export async function state(page) {
  const line = await page.evaluate(() => (window.tessaro ? window.tessaro.state() : ''));
  const values = { line };
  for (const [, key, value] of line.matchAll(/(\w+)=("[^"]*"|\S+)/g))
    values[key] = value.startsWith('"') ? value.slice(1, -1) : Number(value);
  return values;
}

// Waits for the game to reach a state within a number of its own steps, so that a slow
// machine only makes it slower; a game that stops stepping fails after STALL_MS.
export async function until(page, what, test, maxSteps) {
  let last = await state(page);
  const first = last.step;
  let moved = Date.now();
  for (;;) {
    const now = await state(page);
    if (now.line && test(now)) return now;
    if (now.step > first + maxSteps) throw new Error(`no ${what} in ${maxSteps} steps; state: ${now.line}`);
    if (now.step !== last.step) moved = Date.now();
    if (Date.now() - moved > STALL_MS) throw new Error(`the game stopped while waiting for ${what}; state: ${now.line}`);
    last = now;
    await new Promise((resolve) => setTimeout(resolve, POLL_MS));
  }
}

export async function stepsLater(page, steps) {
  const from = (await state(page)).step;
  return until(page, `${steps} steps`, (s) => s.step >= from + steps, steps + 1);
}

// Where client pixel (x, y) of the game is on the page, through the page's scaling.
export async function toPage(page, x, y) {
  const box = await page.$eval('#canvas', (canvas) => {
    const r = canvas.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
  return {
    x: Math.round(box.left + ((x + 0.5) * box.width) / CLIENT_WIDTH),
    y: Math.round(box.top + ((y + 0.5) * box.height) / CLIENT_HEIGHT),
  };
}

export async function moveTo(page, x, y) {
  const p = await toPage(page, x, y);
  await page.mouse.move(p.x, p.y);
}

export async function click(page, x, y) {
  await moveTo(page, x, y);
  await page.mouse.down();
  await page.mouse.up();
}

export async function questionShown(page, timeoutMs) {
  await page.waitForSelector('#question:not([hidden])', { timeout: timeoutMs });
}

// Waits for the round under way to be lost, then types ACE; the state in the ranking.
export async function loseAndName(page) {
  await loseAndType(page);
  await confirmName(page);
  return until(page, 'the ranking', (s) => s.scene === SCENE.ranking, 300);
}

// Waits for the round under way to be lost; the results wait a moment before a press
// counts, so the press is held until they give way; then ACE, not yet confirmed.
export async function loseAndType(page) {
  await until(page, 'the round lost', (s) => s.end === 1, 12000);
  await moveTo(page, ...CENTRE);
  await page.mouse.down();
  await until(page, 'the name entry', (s) => s.scene === SCENE.nameEntry, 1200);
  await page.mouse.up();
  await stepsLater(page, 130);
  for (const letter of LETTERS) {
    await click(page, ...letter);
    await stepsLater(page, 3);
  }
}

// The name typed, OK.
export async function confirmName(page) {
  await click(page, ...NAME_OK);
}
