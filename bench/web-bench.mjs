// Figures of the web build in the system's headless chromium (SwiftShader, no GPU):
// node bench/web-bench.mjs BUILD_WEB TESSARO_SERVER [SECONDS]
// Served as static files, at 640 x 480:
// - bytes the browser downloads before the first frame (everything the page loads);
// - milliseconds from navigation to the question, and from No to the first title step;
// - a round, until it is lost or SECONDS (default 60) have passed: update steps per
//   second against the 62.5 the 16 ms step gives, how far the game's time (16 ms a step)
//   has fallen behind the wall clock, how the game's sleeps kept time, how long each
//   frame waited for the browser to draw it, and how many frames a second the game drew
//   and how often the page rendered.
// Served by tessaro-server (on loopback, with a fresh SQLite in a scratch folder):
// - bytes the page loads before its first frame with the world panel filled (aim: 1 MB);
// - a round lost and named: milliseconds from OK to its world rank shown under the picture;
// - the ranked round watched at its own address: steps per second, as above.
import { spawn } from 'node:child_process';
import os from 'node:os';
import fs from 'node:fs';
import path from 'node:path';
import {
  NO_INTRO, SCENE, START, click, confirmName, launch, loseAndType, questionShown, serve, stepsLater, until,
} from '../tests/web/page-driver.mjs';

const [folder, serverProgram, secondsArgument] = process.argv.slice(2);
const SECONDS = Number(secondsArgument || 60);
const STEP_MS = 16;
const STEPS_PER_SECOND = 1000 / STEP_MS;
const SMALL = { width: 640, height: 480 };
// Wide enough for the world panel beside the picture.
const WIDE = { width: 1100, height: 600 };
const MAX_PAGE_BYTES = 1000000;
const WATCH_SECONDS = Math.min(SECONDS, 30);
const ANSWER_MS = 30000;

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-bench-'));
let server = null;

// Before the page's own scripts: the time each frame waits for the browser to draw it
// (the one-pixel read that ends a frame, WebGlContext::swap).
// Also how often the page renders (animation frame callbacks): at most that many of the
// frames drawn can be shown.
function timeFrames() {
  const frames = { count: 0, ms: 0, rendered: 0 };
  window.tessaroFrames = frames;
  const rendered = () => {
    frames.rendered += 1;
    requestAnimationFrame(rendered);
  };
  requestAnimationFrame(rendered);
  const read = WebGL2RenderingContext.prototype.readPixels;
  WebGL2RenderingContext.prototype.readPixels = function (x, y, width, height) {
    if (width !== 1 || height !== 1) return read.apply(this, arguments);
    const from = performance.now();
    try {
      return read.apply(this, arguments);
    } finally {
      frames.count += 1;
      frames.ms += performance.now() - from;
    }
  };
}

async function openTimed(browser, url, viewport) {
  const page = await browser.newPage();
  await page.setViewport({ ...viewport, hasTouch: true });
  await page.evaluateOnNewDocument(timeFrames);
  page.on('console', (message) => {
    if (message.type() === 'error') console.log(`  page console: ${message.text()}`);
  });
  page.on('pageerror', (error) => console.log(`  page error: ${error.message}`));
  if (url) await page.goto(url);
  return page;
}

// The game's step count, the page's clock and the sleeps' figures, read in one go.
async function sample(page) {
  const taken = await page.evaluate(() => ({
    line: window.tessaro.state(),
    now: performance.now(),
    pace: window.tessaro.pace ? window.tessaro.pace() : null,
    frames: { ...window.tessaroFrames },
  }));
  for (const key of ['step', 'end'])
    taken[key] = Number((taken.line.match(new RegExp(`\\b${key}=(\\d+)`)) || [])[1]);
  return taken;
}

// Steps per second, lag, sleeps and frames between two samples, in one line each.
function report(what, first, last) {
  const elapsed = last.now - first.now;
  const steps = last.step - first.step;
  const lag = elapsed - steps * STEP_MS;
  console.log(`${what}: ${(steps * 1000 / elapsed).toFixed(2)} steps per second over ${(elapsed / 1000).toFixed(1)} s (target ${STEPS_PER_SECOND})`);
  console.log(`${what}: the game's time fell ${Math.max(0, lag).toFixed(0)} ms behind the clock (${(100 * lag / elapsed).toFixed(1)} %)`);
  if (first.pace && last.pace) {
    const sleeps = last.pace.sleeps - first.pace.sleeps;
    const late = last.pace.lateMs - first.pace.lateMs;
    const lost = last.pace.lostSleeps - first.pace.lostSleeps;
    console.log(`${what}: ${sleeps} sleeps, ${sleeps ? (late / sleeps).toFixed(2) : 0} ms late on average, ${lost} a whole millisecond or more late; the game ran ${(100 * (last.pace.runMs - first.pace.runMs) / elapsed).toFixed(0)} % of the time`);
  }
  const frames = last.frames.count - first.frames.count;
  const rendered = `the page rendered ${((last.frames.rendered - first.frames.rendered) * 1000 / elapsed).toFixed(1)} times a second`;
  if (frames > 0) {
    const wait = (last.frames.ms - first.frames.ms) / frames;
    console.log(`${what}: ${(frames * 1000 / elapsed).toFixed(1)} frames drawn per second, each waiting ${wait.toFixed(2)} ms for the browser to draw it; ${rendered}`);
  } else {
    console.log(`${what}: ${rendered}`);
  }
}

// Samples a running game until test(state) or SECONDS, and reports.
async function measure(page, what, seconds, test) {
  const first = await sample(page);
  let last = first;
  while (last.now - first.now < seconds * 1000) {
    await new Promise((resolve) => setTimeout(resolve, 250));
    last = await sample(page);
    if (test && test(last)) break;
  }
  report(what, first, last);
}

async function toRound(page) {
  await click(page, ...START);
  await stepsLater(page, 10);
  await click(page, ...NO_INTRO);
  await until(page, 'the round', (s) => s.scene === SCENE.round, 300);
}

async function staticPage(browser) {
  const files = await serve(folder);
  try {
    const navigated = Date.now();
    const page = await openTimed(browser, files.url, SMALL);
    await questionShown(page, 60000);
    const toQuestion = Date.now() - navigated;
    const answered = Date.now();
    await page.click('#no');
    await until(page, 'the first title step', (s) => s.scene === SCENE.title && s.step >= 1, 1);
    const toTitle = Date.now() - answered;
    console.log(`bytes before the first frame: ${files.bytesSent}`);
    console.log(`navigation to question: ${toQuestion} ms`);
    console.log(`No to first title step: ${toTitle} ms`);
    await toRound(page);
    await measure(page, 'a round', SECONDS, (s) => s.end === 1);
    await page.close();
  } finally {
    files.close();
  }
}

async function startServer() {
  server = spawn(path.resolve(serverProgram), ['--listen', '127.0.0.1:0', '--database',
    path.join(scratch, 'ranking.sqlite'), '--web', folder], { stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    server.stdout.on('data', (text) => {
      const address = String(text).match(/listening on (http:\/\/[^/]+\/)/);
      if (address) resolve(address[1]);
    });
    server.on('exit', (code) => reject(new Error(`the server exited with ${code}`)));
  });
}

async function stopServer() {
  if (!server) return;
  const exited = new Promise((resolve) => server.on('exit', resolve));
  server.kill('SIGTERM');
  await exited;
  server = null;
}

// Every byte the page receives (headers included) until done() says the first frame is up.
async function bytesUntil(page, url, done) {
  const session = await page.target().createCDPSession();
  await session.send('Network.enable');
  await session.send('Network.setCacheDisabled', { cacheDisabled: true });
  let bytes = 0;
  session.on('Network.loadingFinished', (event) => { bytes += event.encodedDataLength; });
  await page.goto(url);
  await done();
  await session.detach();
  return bytes;
}

async function servedPage(browser) {
  const url = await startServer();
  const page = await openTimed(browser, null, WIDE);
  const bytes = await bytesUntil(page, url, async () => {
    await questionShown(page, 60000);
    await page.click('#no');
    await until(page, 'the first title step', (s) => s.scene === SCENE.title && s.step >= 1, 1);
    await page.waitForFunction(() => document.getElementById('world-note').textContent !== '', { timeout: ANSWER_MS });
  });
  const verdict = bytes < MAX_PAGE_BYTES ? 'under' : 'OVER';
  console.log(`served with the world ranking, bytes before the first frame with the panel: ${bytes} (headers included; ${verdict} the aim of ${MAX_PAGE_BYTES})`);

  await toRound(page);
  await measure(page, 'a round in the served page', SECONDS, (s) => s.end === 1);
  await loseAndType(page);
  // From the OK's release to the ranking scene and to the rank in the line, on the page's clock.
  await page.evaluate(() => {
    window.tessaroRanked = new Promise((resolve) => {
      let released = 0;
      let ranking = 0;
      document.addEventListener('mouseup', () => { released = performance.now(); }, { capture: true, once: true });
      const watch = setInterval(() => {
        if (released > 0 && ranking === 0 && /scene=2\b/.test(window.tessaro.state())) ranking = performance.now();
      }, 5);
      const line = document.getElementById('world-line');
      new MutationObserver(() => {
        if (!line.textContent.startsWith('World rank')) return;
        clearInterval(watch);
        const now = performance.now();
        resolve({ ms: now - released, toScene: (ranking || now) - released, text: line.textContent });
      }).observe(line, { childList: true, characterData: true, subtree: true });
    });
  });
  await confirmName(page);
  const ranked = await Promise.race([
    page.evaluate(() => window.tessaroRanked),
    new Promise((resolve, reject) => setTimeout(() => reject(new Error('no world rank shown')), ANSWER_MS)),
  ]);
  console.log(`round end (name OK) to its world rank shown: ${ranked.ms.toFixed(0)} ms ("${ranked.text.split(' · ')[0]}"; `
    + `${ranked.toScene.toFixed(0)} ms of it until the game shows its ranking, the page sends the round from there)`);
  const id = ranked.text.includes('link') ? await page.$eval('#world-line a', (a) => a.getAttribute('href')) : '/rounds/1';
  await page.close();

  const watch = await openTimed(browser, new URL(id, url).href, SMALL);
  await until(watch, 'the watched round', (s) => s.step > 60, 1000);
  await measure(watch, `watching ${id}`, WATCH_SECONDS, null);
  await watch.close();
}

async function main() {
  const browser = await launch(path.join(scratch, 'profile'));
  try {
    await staticPage(browser);
    if (serverProgram) await servedPage(browser);
    else console.log('no tessaro-server named: the world ranking\'s figures are left out');
  } finally {
    await browser.close();
    await stopServer();
  }
}

main().then(() => {
  fs.rmSync(scratch, { recursive: true, force: true });
  process.exit(0);
}, (error) => {
  console.log(`failed: ${error.message}`);
  if (server) server.kill('SIGKILL');
  fs.rmSync(scratch, { recursive: true, force: true });
  process.exit(1);
});
