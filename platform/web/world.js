// The world ranking, where a tessaro-server served the page: each round's replay sent
// once its name is typed and its world rank shown under the picture; the best rounds in
// a panel; and a ranked round played again in the canvas at its own address, /rounds/ID.
// Served by any other host the page sends nothing and shows nothing of this.
(function () {
  const ROWS = 20;
  const POLL_MS = 250;
  // Wide enough for the panel beside the picture; otherwise it goes below.
  const PANEL_WIDTH = 300;
  const WIDE_PAGE = 640 + PANEL_WIDTH;
  const PANEL_HEIGHT_SHARE = 0.4;
  const PENDING = 'tessaro.pending';
  // The replay file last taken to send: a round whose replay the game could not keep
  // leaves the one before it newest, and that one has been sent already.
  const LAST_TAKEN = 'tessaro.lastReplay';
  const REPLAYS = '/data/replays';
  // kWatchedReplay in PageBridge.h: where the game looks for the round to play again.
  const WATCHED = '/watched.tsr';
  const LINE_HEIGHT = 28;
  const SCENE_NAME_ENTRY = 1;
  const SCENE_RANKING = 2;
  const UNREACHABLE = 'not sent: the server cannot be reached (kept, sent with the next round)';
  const watchedId = (location.pathname.match(/^\/rounds\/(\d+)$/) || [])[1];

  let served = false;
  let offset = 0;
  let lastScene = -1;
  let sending = false;

  function element(id) {
    return document.getElementById(id);
  }

  function say(text, link) {
    const line = element('world-line');
    line.textContent = text;
    if (link) {
      const anchor = document.createElement('a');
      anchor.href = link;
      anchor.textContent = 'link to this round';
      line.append(' · ', anchor);
    }
    line.hidden = false;
  }

  // --- the rounds waiting to be sent, kept in the browser until the server answers ---

  function pending() {
    try {
      return JSON.parse(localStorage.getItem(PENDING) || '[]');
    } catch (error) {
      return [];
    }
  }

  function keep(list) {
    localStorage.setItem(PENDING, JSON.stringify(list));
  }

  function base64(bytes) {
    let text = '';
    for (const byte of bytes) text += String.fromCharCode(byte);
    return btoa(text);
  }

  function bytesOf(text) {
    return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  }

  // The answer to one round, in one line; true when the server has answered for good.
  async function send(replay) {
    let response;
    try {
      response = await fetch('/api/rounds', { method: 'POST', body: bytesOf(replay) });
    } catch (error) {
      say(UNREACHABLE);
      return false;
    }
    const body = await response.json().catch(() => ({}));
    if (response.status === 200 || response.status === 201) {
      say('World rank ' + body.rank + ' of ' + body.of, '/rounds/' + body.id);
      return true;
    }
    if (response.status === 429 || response.status >= 500) {
      say(UNREACHABLE.replace('cannot be reached', 'is busy'));
      return false;
    }
    say('Not ranked: ' + (body.error || 'the server refused it (' + response.status + ')'));
    return true;
  }

  // Sends what waits, oldest first, one at a time; stops at the first that must wait longer.
  async function sendPending() {
    if (sending) return;
    sending = true;
    try {
      for (let list = pending(); list.length > 0; list = pending()) {
        if (!(await send(list[0]))) break;
        keep(pending().filter((replay) => replay !== list[0]));
      }
    } finally {
      sending = false;
    }
    showRanking();
  }

  // The newest replay the game kept, by name: the round whose name was just typed.
  function newestReplay() {
    const names = FS.readdir(REPLAYS).filter((name) => name.endsWith('.tsr')).sort();
    return names.length > 0 ? names[names.length - 1] : null;
  }

  // The step that ends the name entry names the round's replay as it hands over to the
  // ranking, so the replay read when the ranking is first seen holds the name.
  function watchScenes() {
    const line = window.tessaro ? window.tessaro.state() : '';
    const scene = Number((line.match(/scene=(\d+)/) || [])[1]);
    if (lastScene === SCENE_NAME_ENTRY && scene === SCENE_RANKING) {
      const replay = newestReplay();
      if (replay && replay !== localStorage.getItem(LAST_TAKEN)) {
        keep(pending().concat([base64(FS.readFile(REPLAYS + '/' + replay))]));
        localStorage.setItem(LAST_TAKEN, replay);
        sendPending();
      }
    }
    lastScene = scene;
  }

  // --- the panel ---

  function cell(row, text) {
    const td = document.createElement('td');
    td.textContent = text;
    row.append(td);
    return td;
  }

  async function showRanking() {
    let page;
    try {
      const response = await fetch('/api/ranking?limit=' + ROWS + '&offset=' + offset);
      page = await response.json();
      if (!response.ok) throw new Error(page.error);
    } catch (error) {
      element('world-note').textContent = 'The ranking cannot be read now.';
      return;
    }
    const body = element('world-rows');
    body.replaceChildren();
    for (const round of page.rounds) {
      const row = document.createElement('tr');
      cell(row, round.rank);
      cell(row, round.name || '—');
      cell(row, round.total);
      cell(row, round.date.slice(0, 10));
      const watch = document.createElement('a');
      watch.href = '/rounds/' + round.id;
      watch.textContent = 'Watch';
      watch.setAttribute('aria-label', 'Watch the round of rank ' + round.rank + ', ' + (round.name || 'no name'));
      cell(row, '').append(watch);
      body.append(row);
    }
    element('world-note').textContent = page.of === 0 ? 'No round is ranked yet.' : page.of + ' rounds ranked';
    element('world-previous').disabled = offset === 0;
    element('world-next').disabled = offset + ROWS >= page.of;
  }

  // Room for the panel, beside the picture on a wide window and below it otherwise, and
  // for the rank line under the picture.
  function makeRoom() {
    const wide = window.innerWidth >= WIDE_PAGE;
    const panel = element('world');
    const below = wide ? 0 : Math.round(window.innerHeight * PANEL_HEIGHT_SHARE);
    panel.classList.toggle('beside', wide);
    panel.style.height = wide ? '' : below + 'px';
    Module.tessaroReserved = { right: wide ? PANEL_WIDTH : 0, bottom: below + LINE_HEIGHT };
    const line = element('world-line');
    line.style.top = window.innerHeight - below - LINE_HEIGHT + 'px';
    line.style.width = window.innerWidth - Module.tessaroReserved.right + 'px';
  }

  function showPanel() {
    element('world').hidden = false;
    makeRoom();
    window.addEventListener('resize', makeRoom, true);
    window.dispatchEvent(new Event('resize'));
    element('world-previous').addEventListener('click', () => {
      offset = Math.max(0, offset - ROWS);
      showRanking();
    });
    element('world-next').addEventListener('click', () => {
      offset += ROWS;
      showRanking();
    });
  }

  // --- a ranked round played again ---

  // Back to the title: the game at the site's root. The page's own handlers (a reload)
  // must not run after it.
  function leaveWatching(event) {
    if (event) event.stopImmediatePropagation();
    location.assign('/');
  }

  function watchRound() {
    Module.preRun = [].concat(Module.preRun || [], function () {
      addRunDependency('tessaro-watched');
      fetch('/api/rounds/' + watchedId + '/replay')
        .then((response) => {
          if (!response.ok) throw new Error('there is no ranked round ' + watchedId);
          return response.arrayBuffer();
        })
        .then((bytes) => {
          FS.writeFile(WATCHED, new Uint8Array(bytes));
          Module.tessaroWatched = WATCHED;
        })
        .catch((error) => Module.setStatus('The round cannot be watched: ' + error.message))
        .finally(() => removeRunDependency('tessaro-watched'));
    });
    Module.tessaroEnded = function () {
      element('ended-text').textContent = 'The round has been played again.';
      element('again').textContent = 'Back to the title';
    };
    element('stop-watching').hidden = false;
    element('stop-watching').addEventListener('click', leaveWatching);
    element('again').addEventListener('click', leaveWatching, true);
    document.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') leaveWatching();
    }, true);
  }

  async function start() {
    try {
      const response = await fetch('/api/health');
      served = response.ok && typeof (await response.json()).version === 'string';
    } catch (error) {
      served = false;
    }
    if (!served) return;
    showPanel();
    sendPending();
    if (!watchedId) setInterval(watchScenes, POLL_MS);
  }

  if (watchedId) watchRound();
  start();
})();
