// The game's sleep in the page (platform/web/pace.js), on a simulated page: its clock,
// its timers (late, and clamped to 4 ms when nested, as browsers make them), its message
// queue and its own long tasks. node tests/web/pace-test.mjs
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { fileURLToPath } from 'node:url';
import { check, expect, exitWithReport } from './checks.mjs';

const LIBRARY = path.join(path.dirname(fileURLToPath(import.meta.url)), '../../platform/web/pace.js');
const NESTED_CLAMP_MS = 4;
const NESTING_FOR_CLAMP = 5;
const TURN_MS = 0.02;
// Reading the clock takes time, so that a wait on it ends.
const CLOCK_READ_MS = 0.001;

// A page with one thread: tasks run one at a time in the order they become ready.
// timerLate(delay) says how late each timer fires beyond its delay.
function makePage(timerLate) {
  const page = { now: 0, tasks: [], order: 0, nesting: 0, posted: [], timers: [] };
  const queue = (at, kind, run, nesting) => page.tasks.push({ at, kind, run, nesting, order: page.order++ });
  page.runUntilIdle = (limit = 100000) => {
    for (let n = 0; page.tasks.length > 0; ++n) {
      if (n > limit) throw new Error('the page never went idle');
      page.tasks.sort((a, b) => a.at - b.at || a.order - b.order);
      const task = page.tasks.shift();
      page.now = Math.max(page.now, task.at);
      page.nesting = task.nesting;
      task.run();
      page.nesting = 0;
    }
  };
  // One of the page's own tasks (drawing, input) that holds the thread for ms.
  page.busyAt = (at, ms) => queue(at, 'page', () => { page.now += ms; }, 0);
  const context = {
    LibraryManager: { library: {} },
    mergeInto: (library, entries) => Object.assign(library, entries),
    performance: { now: () => (page.now += CLOCK_READ_MS) },
    setTimeout: (fn, delay) => {
      const nesting = page.nesting + 1;
      const wait = Math.max(delay, nesting > NESTING_FOR_CLAMP ? NESTED_CLAMP_MS : 0);
      page.timers.push({ at: page.now, delay });
      queue(page.now + wait + timerLate(delay), 'timer', fn, nesting);
    },
    MessageChannel: class {
      constructor() {
        this.port1 = { onmessage: null };
        this.port2 = {
          postMessage: () => {
            page.posted.push(page.now);
            queue(page.now, 'message', () => { page.now += TURN_MS; this.port1.onmessage({}); }, 0);
          },
        };
      }
    },
    callUserCallback: (fn) => fn(),
    Asyncify: {},
  };
  vm.createContext(context);
  vm.runInContext(fs.readFileSync(LIBRARY, 'utf8'), context);
  const library = context.LibraryManager.library;
  context.tessaroPace = library.$tessaroPace;
  page.pace = library.$tessaroPace;
  // The game: sleeps until deadline and notes when it woke.
  page.sleepUntil = (deadline, woke) => {
    context.Asyncify.handleSleep = (start) => {
      let synchronous = true;
      start(() => woke(page.now, synchronous));
      synchronous = false;
    };
    library.tessaro_sleep_until(deadline);
  };
  return page;
}

// A loop of sleeps as the main loop makes them: each from a whole millisecond of the
// clock for ms, the next asked once the last has woken and the game has run runMs.
function sleepLoop(page, asks, runMs) {
  const wakes = [];
  let i = 0;
  const next = () => {
    if (i === asks.length) return;
    const ms = asks[i++];
    const deadline = Math.floor(page.now) + ms;
    const asked = page.now;
    page.sleepUntil(deadline, (now, synchronous) => {
      wakes.push({ asked, deadline, now, synchronous });
      page.now += runMs;
      next();
    });
  };
  next();
  page.runUntilIdle();
  return wakes;
}

const ASKS = [16, 15, 14, 12, 9, 5, 3, 2, 1, 16, 16, 16, 7, 4, 15, 16, 16, 16, 16, 16];

await check('a sleep never ends before its deadline, and on a quiet page ends within its millisecond, '
  + 'with timers late, and clamped when nested', () => {
  for (const late of [0, 0.2, 0.6, 1.5]) {
    const page = makePage(() => late);
    const wakes = sleepLoop(page, ASKS, 0.7);
    expect(wakes.length === ASKS.length, `${wakes.length} of ${ASKS.length} sleeps ended`);
    for (const w of wakes) {
      expect(w.now >= w.deadline, `woke at ${w.now} before the deadline ${w.deadline} (timers ${late} ms late)`);
      expect(w.now < w.deadline + 1, `woke at ${w.now}, a whole millisecond after ${w.deadline} (timers ${late} ms late)`);
    }
    expect(page.pace.figures.sleeps === ASKS.length && page.pace.figures.lostSleeps === 0,
      `figures: ${JSON.stringify(page.pace.figures)}`);
  }
});

await check('a run of short sleeps behind late timers is never clamped as nested timers are', () => {
  for (const runMs of [0, 0.3, 0.5, 0.9]) {
    const page = makePage(() => 1.5);
    const wakes = sleepLoop(page, Array(12).fill(3), runMs);
    for (const w of wakes)
      expect(w.now < w.deadline + 1, `woke at ${w.now}, a whole millisecond after ${w.deadline}`);
  }
});

await check('a long sleep waits on timers, and gives the page a turn before it waits out the last stretch', () => {
  const page = makePage(() => 0.3);
  sleepLoop(page, [16, 16, 16, 40, 200], 1);
  expect(page.timers.length >= 5, `${page.timers.length} timers for five sleeps`);
  expect(page.posted.length === page.timers.length, `${page.posted.length} turns for ${page.timers.length} timers`);
  expect(page.timers.every((t) => t.delay >= 1), `a timer of under a millisecond: ${JSON.stringify(page.timers)}`);
});

await check('the page\'s own task that would start in the last stretch waits until the sleep has ended', () => {
  for (const start of [13.9, 14.5, 15.2, 15.9]) {
    const page = makePage(() => 0.2);
    let woke = null;
    page.sleepUntil(16, (now) => { woke = now; });
    page.busyAt(start, 3);
    page.runUntilIdle();
    expect(woke >= 16 && woke < 16.1, `woke at ${woke} with a task of the page from ${start}`);
  }
});

await check('a sleep whose deadline has passed, or is now, still gives the page a turn first', () => {
  for (const ms of [0, 1]) {
    const page = makePage(() => 0);
    page.now = 100.5;
    let woke = null;
    page.sleepUntil(Math.floor(page.now) + ms - 1, (now, synchronous) => { woke = { now, synchronous }; });
    expect(woke === null, 'woke before the page had a turn');
    page.busyAt(page.now, 3);
    page.runUntilIdle();
    expect(woke !== null && !woke.synchronous, 'never woke');
    // A yield asks for no time: it is no sleep in the figures.
    expect(page.pace.figures.sleeps === 0, `figures: ${JSON.stringify(page.pace.figures)}`);
  }
});

await check('a page task over the deadline makes the sleep late, and the figures say by how much', () => {
  const page = makePage(() => 0.2);
  let woke = null;
  page.sleepUntil(16, (now) => { woke = now; });
  page.busyAt(12.5, 6);
  page.runUntilIdle();
  expect(woke >= 18.5 && woke < 19, `woke at ${woke}`);
  const f = page.pace.figures;
  expect(f.sleeps === 1 && f.lostSleeps === 1 && Math.abs(f.worstLateMs - (woke - 16)) < 1e-9,
    `figures: ${JSON.stringify(f)}`);
});

exitWithReport();
