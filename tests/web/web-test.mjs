// Browser tests of the web build: node tests/web/web-test.mjs BUILD_WEB TESSARO_SIM
// One headless chromium plays the page with the mouse and with a finger, loses a
// round, enters a name, reloads, and compares the ranking with the simulator's.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  CENTRE, NO_INTRO, RANKING, SCENE, START, click, launch, loseAndName, moveTo, open, questionShown, serve,
  stepsLater, toPage, until,
} from './page-driver.mjs';
import { expect, mustPass } from './checks.mjs';

const [folder, simulator] = process.argv.slice(2);
const QUESTION_CAPTION = '質問';
const QUESTION_TEXT = 'フルスクリーンで起動しますか？';
const TITLE_YELLOW = '#FFFF80';
// Wider than 4:3, so the picture is scaled by 1.25 with bars left and right.
const SCALED = { width: 960, height: 600 };
const ACTUAL = { width: 640, height: 480 };
// In the black bar left of the scaled picture.
const OUTSIDE_LEFT = [-50, 240];
const RANKING_FADE_STEPS = 140;
const STEP_MS = 16;
// A loop that was behind when sampling began may catch up this many steps at once, and
// one more may fall due within the millisecond the clock reads.
const MAX_CATCH_UP_STEPS = 5;
const AHEAD_SAMPLING_MS = 4000;
// SwiftShader and the desktop's OpenGL may round a blended or filtered edge differently:
// a pixel counts as different when a channel is off by more than 2%, and at most 0.5%
// of the picture may differ.
const PIXEL_FUZZ = '2%';
const MAX_DIFFERENT_PIXELS = Math.round(640 * 480 * 0.005);

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-web-'));
function share(file, colour) {
  const out = execFileSync('convert', [file, '-fuzz', '1%', '-fill', 'white', '-opaque', colour,
    '-fill', 'black', '+opaque', 'white', '-format', '%[fx:mean]', 'info:']);
  return Number(out.toString());
}

async function shot(page, name) {
  const file = path.join(scratch, name);
  const box = await page.$eval('#canvas', (c) => { const r = c.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; });
  await page.screenshot({ path: file, clip: { x: box[0], y: box[1], width: box[2], height: box[3] } });
  return file;
}

async function answerNo(page) {
  await questionShown(page, 60000);
  await page.click('#no');
  await until(page, 'the title', (s) => s.scene === SCENE.title && s.step > 0, 100);
}

async function grabAndFling(page, press, drag, release, from, to) {
  await press(from);
  await until(page, 'the bomb grabbed', (s) => s.grabbed === 1, 60);
  await stepsLater(page, 2);
  await drag(to);
  await stepsLater(page, 2);
  await release();
  await until(page, 'the bomb flying', (s) => s.flying === 1, 60);
}

async function readStoredRanking(page) {
  return page.evaluate(() => new Promise((resolve, reject) => {
    const request = indexedDB.open('/player');
    request.onerror = () => reject(request.error);
    request.onsuccess = () => {
      // Closed at once, so that the game's own opening is never blocked.
      const db = request.result;
      if (!db.objectStoreNames.contains('FILE_DATA')) {
        db.close();
        resolve(null);
        return;
      }
      const get = db.transaction('FILE_DATA').objectStore('FILE_DATA').get('/player/score.txt');
      get.onsuccess = () => { db.close(); resolve(get.result ? new TextDecoder().decode(get.result.contents) : null); };
      get.onerror = () => { db.close(); reject(get.error); };
    };
  }));
}

function simulatorRanking(ranking) {
  const dir = path.join(scratch, 'sim');
  fs.mkdirSync(path.join(dir, 'data'), { recursive: true });
  for (const image of fs.readdirSync('data').filter((f) => f.endsWith('.png')))
    fs.copyFileSync(path.join('data', image), path.join(dir, 'data', image));
  fs.writeFileSync(path.join(dir, 'data', 'score.txt'), ranking);
  fs.writeFileSync(path.join(dir, 'ranking.sim'), [
    'steps 150', `move ${RANKING[0]} ${RANKING[1]}`, 'steps 1', `click ${RANKING[0]} ${RANKING[1]}`,
    `until scene ${SCENE.ranking}`, `steps ${RANKING_FADE_STEPS}`, 'shot ranking.png', ''].join('\n'));
  execFileSync(path.resolve(simulator), ['ranking.sim'], { cwd: dir });
  return path.join(dir, 'ranking.png');
}

function differentPixels(a, b) {
  try {
    execFileSync('compare', ['-metric', 'AE', '-fuzz', PIXEL_FUZZ, a, b, 'null:'], { stdio: 'pipe' });
    return 0;
  } catch (error) {
    return Number(error.stderr.toString());
  }
}

async function main() {
  const server = await serve(folder);
  const browser = await launch(path.join(scratch, 'profile'));
  try {
    const page = await open(browser, server.url, SCALED);
    // Whatever the page says of the ranking (a save refused or failed) is a fault here.
    const saidOfRanking = [];
    page.on('console', (message) => { if (/ranking/i.test(message.text())) saidOfRanking.push(message.text()); });
    await mustPass('the question: caption, text, Yes and No', async () => {
      await questionShown(page, 60000);
      const shown = await page.evaluate(() => [
        document.getElementById('question-caption').textContent,
        document.getElementById('question-text').textContent,
        document.getElementById('yes').textContent, document.getElementById('no').textContent]);
      expect(shown.join('|') === [QUESTION_CAPTION, QUESTION_TEXT, 'Yes', 'No'].join('|'), `shown: ${shown}`);
    });
    await mustPass('No leaves the page windowed and the title is drawn', async () => {
      await page.click('#no');
      await until(page, 'the title', (s) => s.scene === SCENE.title && s.step > 10, 100);
      expect(await page.evaluate(() => document.fullscreenElement === null), 'the page went full screen');
      const yellow = share(await shot(page, 'title.png'), TITLE_YELLOW);
      expect(yellow > 0.5, `only ${yellow} of the title is its light yellow`);
    });
    await mustPass('START, NO: a round with the picture scaled', async () => {
      await click(page, ...START);
      await stepsLater(page, 10);
      await click(page, ...NO_INTRO);
      await until(page, 'the round', (s) => s.scene === SCENE.round, 300);
    });
    await mustPass('the game\'s time never runs ahead of the page\'s clock', async () => {
      const samples = await page.evaluate((ms) => new Promise((resolve) => {
        const taken = [];
        const timer = setInterval(() => {
          taken.push([Number(window.tessaro.state().match(/step=(\d+)/)[1]), performance.now()]);
          if (taken.length * 50 >= ms) {
            clearInterval(timer);
            resolve(taken);
          }
        }, 50);
      }), AHEAD_SAMPLING_MS);
      const [firstStep, firstTime] = samples[0];
      for (const [step, time] of samples) {
        const due = Math.floor((time - firstTime) / STEP_MS) + MAX_CATCH_UP_STEPS + 1;
        expect(step - firstStep <= due, `${step - firstStep} steps in ${(time - firstTime).toFixed(1)} ms`);
      }
    });
    await mustPass('the mouse grabs the bomb, drags it past the picture\'s edge and flings it', async () => {
      await grabAndFling(page,
        async (at) => { await moveTo(page, ...at); await page.mouse.down(); },
        async (at) => {
          // Into the bar beside the picture: the pointer reads negative, the drag goes on.
          await moveTo(page, ...OUTSIDE_LEFT);
          const out = await until(page, 'the bomb at the left edge', (s) => s.bomb_x === 0, 30);
          expect(out.grabbed === 1, `the bomb was let go outside the picture: ${out.line}`);
          await moveTo(page, ...at);
        },
        async () => page.mouse.up(), CENTRE, [600, 90]);
    });
    await mustPass('a finger grabs the bomb where it lies and flings it', async () => {
      const still = await until(page, 'the bomb at rest', (s) => s.flying === 0 && s.grabbed === 0, 600);
      const at = [Math.round(still.bomb_x), Math.round(still.bomb_y)];
      await grabAndFling(page,
        async (p) => { const q = await toPage(page, ...p); await page.touchscreen.touchStart(q.x, q.y); },
        async (p) => { const q = await toPage(page, ...p); await page.touchscreen.touchMove(q.x, q.y); },
        async () => page.touchscreen.touchEnd(), at, [40, 420]);
    });
    await mustPass('a lost round, a name typed with clicks, the ranking holds it', async () => {
      const ranked = await loseAndName(page);
      expect(ranked.result_name === 'ACE     ', `name: "${ranked.result_name}"`);
    });
    await mustPass('served statically, the page asks for no world ranking and shows none', async () => {
      await stepsLater(page, 60);
      const asked = server.requests.filter((url) => url.startsWith('/api/') && url !== '/api/health');
      expect(asked.length === 0, `the page asked for ${asked.join(', ')}`);
      expect(await page.$eval('#world', (panel) => panel.hidden), 'the world ranking is shown');
    });
    let stored = null;
    await mustPass('after a reload the stored ranking still holds the name', async () => {
      const start = Date.now();
      while (!((await readStoredRanking(page)) || '').includes('ACE')) {
        expect(Date.now() - start < 10000, 'the ranking was not written to the browser\'s storage');
        await new Promise((resolve) => setTimeout(resolve, 100));
      }
      expect(saidOfRanking.length === 0, `the page said: ${saidOfRanking.join(' / ')}`);
      await page.setViewport({ ...ACTUAL, hasTouch: true });
      await page.reload();
      // Escape answers No and must not reach the game.
      await questionShown(page, 60000);
      await page.keyboard.press('Escape');
      await until(page, 'the title', (s) => s.scene === SCENE.title && s.step > 10, 100);
      stored = await readStoredRanking(page);
      expect(stored !== null && stored.includes('ACE'), `stored ranking: ${stored}`);
    });
    await mustPass('the ranking scene matches the simulator\'s picture', async () => {
      await moveTo(page, ...RANKING);
      await stepsLater(page, 1);
      await click(page, ...RANKING);
      await until(page, 'the ranking', (s) => s.scene === SCENE.ranking, 300);
      await stepsLater(page, RANKING_FADE_STEPS);
      const browserPicture = await shot(page, 'ranking-browser.png');
      const different = differentPixels(browserPicture, simulatorRanking(stored));
      console.log(`  ${different} of ${640 * 480} pixels differ by more than ${PIXEL_FUZZ}`);
      expect(different <= MAX_DIFFERENT_PIXELS, `${different} pixels differ (at most ${MAX_DIFFERENT_PIXELS})`);
    });
    await mustPass('Escape ends the game and the page offers to start again', async () => {
      await page.keyboard.press('Escape');
      await page.waitForSelector('#ended:not([hidden])', { timeout: 10000 });
      await page.click('#again');
      await questionShown(page, 60000);
    });
    await mustPass('without the browser\'s storage the game still starts, says why and stores no ranking', async () => {
      const errors = [];
      const blocked = await browser.newPage();
      blocked.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
      // As a browser that refuses storage to the page.
      await blocked.evaluateOnNewDocument(() => {
        IDBFactory.prototype.open = () => { throw new DOMException('storage refused', 'SecurityError'); };
      });
      await blocked.setViewport({ ...ACTUAL, hasTouch: true });
      await blocked.goto(server.url);
      await answerNo(blocked);
      expect(errors.some((text) => text.includes('ranking could not be read')), `console errors: ${errors}`);
      // A ranking the game writes then is never stored over the one that could not be read.
      const stored = await blocked.evaluate(() => {
        FS.writeFile('/data/score.txt', 'NEW,1\r\n');
        return Module.tessaroStore('data/score.txt');
      });
      expect(stored === false, 'a ranking was stored over one that could not be read');
      expect(errors.some((text) => text.includes('ranking is not saved')), `console errors: ${errors}`);
      await blocked.close();
    });
    await mustPass('Yes makes the page full screen with the picture letterboxed in it', async () => {
      const full = await open(browser, server.url, SCALED);
      await questionShown(full, 60000);
      await full.click('#yes');
      await until(full, 'the title', (s) => s.scene === SCENE.title && s.step > 10, 100);
      const placed = await full.evaluate(() => {
        const r = document.getElementById('canvas').getBoundingClientRect();
        return { full: document.fullscreenElement !== null, page: [innerWidth, innerHeight],
          box: [r.left, r.top, r.width, r.height] };
      });
      expect(placed.full, 'the page did not go full screen');
      const [width, height] = placed.page;
      const scale = Math.min(width / 640, height / 480);
      const [, , boxWidth, boxHeight] = placed.box;
      expect(Math.abs(boxWidth - 640 * scale) <= 1 && Math.abs(boxHeight - 480 * scale) <= 1,
        `picture ${placed.box} in a page of ${placed.page}`);
      await full.close();
    });
  } finally {
    await browser.close();
    server.close();
  }
}

main().then(() => {
  fs.rmSync(scratch, { recursive: true, force: true });
  process.exit(0);
}, (error) => {
  console.log(`failed: ${error.message}; pictures kept in ${scratch}`);
  process.exit(1);
});
