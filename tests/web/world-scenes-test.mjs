// The page's world script (platform/web/world.js) on a stubbed page: when it takes the
// round's replay to send. node tests/web/world-scenes-test.mjs
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { fileURLToPath } from 'node:url';
import { check, expect, exitWithReport } from './checks.mjs';

const SCRIPT = path.join(path.dirname(fileURLToPath(import.meta.url)), '../../platform/web/world.js');
const FIRST_REPLAY = 'round-000001.tsr';
const SCENE = { title: 0, nameEntry: 1, ranking: 2 };

// Anything the panel asks of the page's elements, answered and forgotten.
function anyElement() {
  return new Proxy(function () {}, {
    get: (target, key) => (key === 'getBoundingClientRect' ? () => ({ left: 0, right: 0, top: 0, bottom: 0, width: 0 }) : anyElement()),
    set: () => true,
    apply: () => anyElement(),
  });
}

// A page served by tessaro-server whose game is in `game.scene`, with its newest replay
// file `game.file` holding `game.replay`; the rounds sent are kept in `posted`.
async function makePage() {
  const page = { game: { scene: SCENE.title, replay: null }, posted: [], intervals: [] };
  const storage = new Map();
  const answer = (body, status = 200) => ({ ok: status < 300, status, json: async () => body });
  const context = {
    location: { pathname: '/', assign: () => {} },
    document: { getElementById: anyElement, createElement: anyElement, addEventListener: () => {} },
    window: {
      addEventListener: () => {},
      dispatchEvent: () => {},
      tessaro: { state: () => `scene=${page.game.scene}` },
    },
    Event: class {},
    localStorage: { getItem: (k) => storage.get(k) ?? null, setItem: (k, v) => storage.set(k, String(v)) },
    btoa,
    atob,
    FS: {
      readdir: () => (page.game.replay === null ? [] : [page.game.file]),
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
  // The game goes from one scene to the ranking, with that replay file newest, and the
  // page polls in each.
  page.toRanking = async (from, replay, file = FIRST_REPLAY) => {
    for (const scene of [from, SCENE.ranking]) {
      page.game = { scene, replay, file };
      await page.poll();
    }
  };
  return page;
}

await check('the replay is sent once, as the ranking is seen to follow the name entry', async () => {
  const page = await makePage();
  await page.toRanking(SCENE.nameEntry, 'ACE');
  expect(page.posted.length === 1 && page.posted[0] === 'ACE', `sent: ${JSON.stringify(page.posted)}`);
  await page.poll();
  expect(page.posted.length === 1, `sent again: ${JSON.stringify(page.posted)}`);
});

await check('the ranking opened from the title sends nothing', async () => {
  const page = await makePage();
  await page.toRanking(SCENE.title, 'ACE');
  expect(page.posted.length === 0, `sent: ${JSON.stringify(page.posted)}`);
});

await check('a round whose replay was not kept sends nothing: the newest replay is the one sent before', async () => {
  const page = await makePage();
  await page.toRanking(SCENE.nameEntry, 'ACE', FIRST_REPLAY);
  await page.toRanking(SCENE.nameEntry, 'ACE', FIRST_REPLAY);
  expect(page.posted.length === 1, `sent: ${JSON.stringify(page.posted)}`);
  await page.toRanking(SCENE.nameEntry, 'BOB', 'round-000002.tsr');
  expect(page.posted.length === 2 && page.posted[1] === 'BOB', `sent: ${JSON.stringify(page.posted)}`);
});

exitWithReport();
