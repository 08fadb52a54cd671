// Figures of the web build in the system's headless chromium (SwiftShader, no GPU):
// node bench/web-bench.mjs BUILD_WEB [SECONDS]
// - bytes the browser downloads before the first frame (everything the page loads);
// - milliseconds from navigation to the question, and from No to the first title step;
// - update steps per second over SECONDS (default 60) of a round, against the 62.5 the
//   16 ms step gives, and the steps the page dropped.
import os from 'node:os';
import fs from 'node:fs';
import path from 'node:path';
import {
  NO_INTRO, SCENE, START, click, launch, open, questionShown, serve, state, stepsLater, until,
} from '../tests/web/page-driver.mjs';

const [folder, secondsArgument] = process.argv.slice(2);
const SECONDS = Number(secondsArgument || 60);
const STEP_MS = 16;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-bench-'));
const server = await serve(folder);
const browser = await launch(profile);
try {
  const navigated = Date.now();
  const page = await open(browser, server.url, { width: 640, height: 480 });
  await questionShown(page, 60000);
  const toQuestion = Date.now() - navigated;
  const answered = Date.now();
  await page.click('#no');
  await until(page, 'the first title step', (s) => s.scene === SCENE.title && s.step >= 1, 1);
  const toTitle = Date.now() - answered;
  console.log(`bytes before the first frame: ${server.bytesSent}`);
  console.log(`navigation to question: ${toQuestion} ms`);
  console.log(`No to first title step: ${toTitle} ms`);

  await click(page, ...START);
  await stepsLater(page, 10);
  await click(page, ...NO_INTRO);
  await until(page, 'the round', (s) => s.scene === SCENE.round, 300);
  const first = await state(page);
  const from = performance.now();
  await new Promise((resolve) => setTimeout(resolve, SECONDS * 1000));
  const last = await state(page);
  const elapsed = performance.now() - from;
  const steps = last.step - first.step;
  const due = Math.floor(elapsed / STEP_MS);
  console.log(`steps per second over ${SECONDS} s of a round: ${(steps * 1000 / elapsed).toFixed(2)} (target 62.5)`);
  console.log(`steps dropped: ${Math.max(0, due - steps)} of ${due}`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
