// The page's world script (platform/web/world.js) on a stubbed page: when it takes the
// round's replay to send. node tests/web/world-scenes-test.mjs
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { fileURLToPath } from 'node:url';
import { check, expect, exitWithReport } from './checks.mjs';

const SCRIPT = path.join(path.dirname(fileURLToPath(import.meta.url)), '../../platform/web/world.js');
const REPLAY = '/data/replays/round-000001.tsr';
const SCENE = { title: 0, nameEntry: 1, ranking: 2 };

// Anything the panel asks of the page's elements, answered and forgotten.
function anyElement() {
  return new Proxy(function () {}, {
    get: (target, key) => (key === 'getBoundingClientRect' ? () => ({ left: 0, right: 0, top: 0, bottom: 0, width: 0 }) : anyElement()),
    set: () => true,
    apply: () => anyElement(),
  });
}

// A page served by tessaro-server whose game is at `game.step` in `game.scene`, with the
// replay file holding `game.replay`; the rounds sent are kept in `posted`.
async function makePage() {
  const page = { game: { step: 0, scene: 0, replay: null }, posted: [], intervals: [] };
  const storage = new Map();
  const answer = (body, status = 200) => ({ ok: status < 300, status, json: async () => body });
  const context = {
    location: { pathname: '/', assign: () => {} },
    document: { getElementById: anyElement, createElement: anyElement, addEventListener: () => {} },
    window: {
      addEventListener: () => {},
      dispatchEvent: () => {},
      tessaro: { state: () => `step=${page.game.step} scene=${page.game.scene}` },
    },
    Event: class {},
    localStorage: { getItem: (k) => storage.get(k) ?? null, setItem: (k, v) => storage.set(k, String(v)) },
    btoa,
    atob,
    FS: {
      readdir: () => (page.game.replay === null ? [] : [page.game.file ?? path.basename(REPLAY)]),
      readFile: () => Uint8Array.from(page.game.replay, (c) => c.charCodeAt(0)),
    },
    fetch: async (url, options) => {
      if (url === '/api/health') return answer({ version: 'test' });
      if (url.startsWith('/api/ranking')) return answer({ of: 0, offset: 0, rounds: [] });
      if (url === '/api/rounds' && options.method === 'POST') {
        page.posted.push(String.fromCharCode(...options.body));
        return answer({ rank: 1, of: 1, id: 1 }, 201);
      }
      return answer({}, 404);
    },
    setInterval: (fn) => page.intervals.push(fn),
    Module: {},
  };
  vm.createContext(context);
  vm.runInContext(fs.readFileSync(SCRIPT, 'utf8'), context);
  await new Promise((resolve) => setImmediate(resolve));
  expect(page.intervals.length === 1, `${page.intervals.length} polls of the game's scene`);
  // One poll of the game's scene, by its interval.
  page.poll = async () => {
    page.intervals[0]();
    await new Promise((resolve) => setImmediate(resolve));
  };
  return page;
}

await check('the replay is sent once, as the ranking is seen to follow the name entry', async () => {
  const page = await makePage();
  page.game = { step: 500, scene: SCENE.nameEntry, replay: 'no name' };
  await page.poll();
  page.game = { step: 501, scene: SCENE.ranking, replay: 'ACE' };
  await page.poll();
  expect(page.posted.length === 1 && page.posted[0] === 'ACE', `sent: ${JSON.stringify(page.posted)}`);
  page.game.step = 600;
  await page.poll();
  expect(page.posted.length === 1, `sent again: ${JSON.stringify(page.posted)}`);
});

await check('the ranking opened from the title sends nothing', async () => {
  const page = await makePage();
  page.game = { step: 500, scene: SCENE.title, replay: 'ACE' };
  await page.poll();
  page.game = { step: 501, scene: SCENE.ranking, replay: 'ACE' };
  await page.poll();
  expect(page.posted.length === 0, `sent: ${JSON.stringify(page.posted)}`);
});

await check('a round whose replay was not kept sends nothing: the newest replay is the one sent before', async () => {
  const page = await makePage();
  const handOver = async (file, replay) => {
    page.game = { step: page.game.step + 1, scene: SCENE.nameEntry, replay, file };
    await page.poll();
    page.game = { step: page.game.step + 1, scene: SCENE.ranking, replay, file };
    await page.poll();
  };
  await handOver('round-000001.tsr', 'ACE');
  await handOver('round-000001.tsr', 'ACE');
  expect(page.posted.length === 1, `sent: ${JSON.stringify(page.posted)}`);
  await handOver('round-000002.tsr', 'BOB');
  expect(page.posted.length === 2 && page.posted[1] === 'BOB', `sent: ${JSON.stringify(page.posted)}`);
});

exitWithReport();
