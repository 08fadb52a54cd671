// The world ranking in the page: node tests/web/world-test.mjs BUILD_WEB TESSARO_SERVER
// A real tessaro-server on loopback with a fresh SQLite serves the page. A round is
// played and named through the page while the server is down: it is kept, and sent
// once when the page is loaded again with the server back; its row is watched in the
// canvas and at its own address; a name that is markup shows as text.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import {
  NO_INTRO, SCENE, START, click, confirmName, launch, loseAndType, open, questionShown, state,
  stepsLater, until,
} from './page-driver.mjs';
import { expect, mustPass } from './checks.mjs';

const [folder, serverProgram] = process.argv.slice(2);
const WIDE = { width: 1100, height: 600 };
const PHONE = { width: 390, height: 800 };
const MARKUP = '<img src=x onerror="window.injected=1">';
const ANSWER_MS = 30000;
const STALL_MS = 20000;
const POLL_MS = 250;

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-world-'));
const database = path.join(scratch, 'ranking.sqlite');
let port = 0;
let server = null;

async function freePort() {
  const probe = net.createServer();
  await new Promise((resolve) => probe.listen(0, '127.0.0.1', resolve));
  const { port: free } = probe.address();
  await new Promise((resolve) => probe.close(resolve));
  return free;
}

// The server on the test's port, waited for until it listens.
async function startServer() {
  server = spawn(path.resolve(serverProgram), ['--listen', `127.0.0.1:${port}`, '--database', database,
    '--web', folder], { stdio: ['ignore', 'pipe', 'inherit'] });
  await new Promise((resolve, reject) => {
    server.stdout.on('data', (text) => { if (String(text).includes('listening')) resolve(); });
    server.on('exit', (code) => reject(new Error(`the server exited with ${code}`)));
  });
}

async function stopServer() {
  const exited = new Promise((resolve) => server.on('exit', resolve));
  server.kill('SIGTERM');
  await exited;
  server = null;
}

// Waits for a condition in the page, naming it when it does not come.
async function waitFor(page, what, condition, ...args) {
  try {
    await page.waitForFunction(condition, { timeout: ANSWER_MS }, ...args);
  } catch (error) {
    throw new Error(`no ${what} in ${ANSWER_MS} ms`);
  }
}

async function api(route) {
  const response = await fetch(`http://127.0.0.1:${port}${route}`);
  return response.json();
}

async function worldLine(page, text) {
  await waitFor(page, `"${text}" under the picture`,
    (t) => document.getElementById('world-line').textContent.includes(t), text);
  return page.$eval('#world-line', (line) => line.textContent);
}

// Waits while the watched round plays, however slowly, until the page says it has
// ended; a round that stops short of its end fails after STALL_MS.
async function watchedToTheEnd(page) {
  let last = await state(page);
  let moved = Date.now();
  while (!(await page.$eval('#ended', (box) => !box.hidden))) {
    const now = await state(page);
    if (now.step !== last.step) moved = Date.now();
    expect(Date.now() - moved < STALL_MS, `the watched round stopped at ${now.line}`);
    last = now;
    await new Promise((resolve) => setTimeout(resolve, POLL_MS));
  }
  return state(page);
}

async function playToNameEntry(page) {
  await questionShown(page, 60000);
  await page.click('#no');
  await until(page, 'the title', (s) => s.scene === SCENE.title && s.step > 10, 100);
  await click(page, ...START);
  await stepsLater(page, 10);
  await click(page, ...NO_INTRO);
  await until(page, 'the round', (s) => s.scene === SCENE.round, 300);
}

// A second row, named with markup, written as the storage layer writes rows.
function insertMarkupRow() {
  execFileSync('python3', ['-c', `
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("INSERT INTO rounds (name, total, score, combo_bonus, clear_bonus, end_kind, steps, game_version, "
           "sha256, received_at, sender_hash, replay) SELECT ?, 0, 0, 0, 0, end_kind, steps, game_version, "
           "'markup', received_at, sender_hash, replay FROM rounds WHERE id = 1", (sys.argv[2],))
db.commit()`, database, MARKUP]);
}

async function main() {
  port = await freePort();
  await startServer();
  const browser = await launch(path.join(scratch, 'profile'));
  try {
    const page = await open(browser, `http://127.0.0.1:${port}/`, WIDE);
    let total = 0;
    await mustPass('named with the server down, a round is kept; loaded again, it is sent once: "World rank 1 of 1"', async () => {
      await playToNameEntry(page);
      await loseAndType(page);
      total = (await state(page)).result_score;
      await stopServer();
      await confirmName(page);
      const kept = await worldLine(page, 'not sent');
      expect(kept.includes('kept, sent with the next round'), `the line says: ${kept}`);
      await startServer();
      await page.reload();
      const line = await worldLine(page, 'World rank');
      expect(line.startsWith('World rank 1 of 1'), `the line says: ${line}`);
      await page.reload();
      await waitFor(page, 'one row in the panel', () => document.querySelectorAll('#world-rows tr').length === 1);
      const ranking = await api('/api/ranking');
      expect(ranking.of === 1 && ranking.rounds[0].name === 'ACE' && ranking.rounds[0].total === total,
        `ranking: ${JSON.stringify(ranking)}, the round's total ${total}`);
      expect(await page.evaluate(() => localStorage.getItem('tessaro.pending')) === '[]', 'the round is still kept');
    });
    await mustPass('the panel beside the picture holds the round, and a name of markup shows as text', async () => {
      insertMarkupRow();
      await page.reload();
      await waitFor(page, 'two rows in the panel', () => document.querySelectorAll('#world-rows tr').length === 2);
      const names = await page.$$eval('#world-rows tr td:nth-child(2)', (cells) => cells.map((c) => c.textContent));
      expect(names[0] === 'ACE' && names[1] === MARKUP, `names: ${names}`);
      expect(await page.$$eval('#world img', (images) => images.length) === 0, 'the name became an image');
      expect(!(await page.evaluate(() => window.injected)), 'the name ran as script');
      const beside = await page.$eval('#world', (panel) => panel.getBoundingClientRect().left);
      const canvasRight = await page.$eval('#canvas', (canvas) => canvas.getBoundingClientRect().right);
      expect(beside >= canvasRight, `the panel at ${beside} covers the picture up to ${canvasRight}`);
    });
    await mustPass('Watch plays the round again in the canvas to its total', async () => {
      await page.click('#world-rows tr:first-child a');
      await waitFor(page, 'the round\'s address', () => location.pathname === '/rounds/1');
      const end = await watchedToTheEnd(page);
      expect(end.result_score === total, `the watched round ended at ${end.line}; the round's total ${total}`);
      await page.click('#again');
      await waitFor(page, 'the title\'s address after the watched round', () => location.pathname === '/');
    });
    await mustPass('the round\'s own address, on a phone\'s screen, plays it too; Stop watching leaves it', async () => {
      const phone = await open(browser, `http://127.0.0.1:${port}/rounds/1`, PHONE);
      await until(phone, 'the watched round', (s) => s.step > 60, 1000);
      const below = await phone.$eval('#world', (panel) => panel.getBoundingClientRect().top);
      const canvasBottom = await phone.$eval('#canvas', (canvas) => canvas.getBoundingClientRect().bottom);
      expect(below >= canvasBottom, `the panel at ${below} covers the picture down to ${canvasBottom}`);
      await phone.click('#stop-watching');
      await waitFor(phone, 'the title\'s address after Stop watching', () => location.pathname === '/');
      await questionShown(phone, 60000);
      await phone.close();
    });
  } finally {
    await browser.close();
    if (server) await stopServer();
  }
}

main().then(() => {
  fs.rmSync(scratch, { recursive: true, force: true });
  process.exit(0);
}, (error) => {
  console.log(`failed: ${error.message}; files kept in ${scratch}`);
  if (server) server.kill('SIGKILL');
  process.exit(1);
});
