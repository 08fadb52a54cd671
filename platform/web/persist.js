// The ranking file lives in the browser's IndexedDB. It is read in before the game
// starts, and written out each time the game has written it (Module.tessaroStore,
// called through tessaro_store in page.js). The images and the replays stay in
// memory and are never stored.
(function () {
  const kept = '/player';
  const ranking = '/data/score.txt';
  const stored = kept + '/score.txt';
  let syncing = false;
  let again = false;
  // A stored ranking that could not be read is never overwritten by one that lacks it.
  let readFailed = false;

  function copy(from, to) {
    FS.writeFile(to, FS.readFile(from));
  }

  function exists(path) {
    return FS.analyzePath(path).exists;
  }

  // One write-out at a time; a save during one is written by the next.
  function writeOut() {
    if (syncing) {
      again = true;
      return;
    }
    syncing = true;
    FS.syncfs(false, function (error) {
      syncing = false;
      if (error) console.error('Tessaro: the ranking could not be saved in this browser:', error);
      if (again) {
        again = false;
        writeOut();
      }
    });
  }

  // Whether the file just written is on its way to the browser's storage, or is not
  // one that is stored; false, with the cause on the console, when it cannot be stored.
  function store(path) {
    try {
      if (FS.lookupPath(path).path !== ranking) return true;
      if (readFailed) {
        console.error('Tessaro: the ranking is not saved in this browser, whose stored one could not be read');
        return false;
      }
      copy(ranking, stored);
    } catch (error) {
      console.error('Tessaro: the ranking could not be saved in this browser:', error);
      return false;
    }
    writeOut();
    return true;
  }

  function readIn() {
    FS.mkdir(kept);
    FS.mount(IDBFS, {}, kept);
    addRunDependency('tessaro-ranking');
    FS.syncfs(true, function (error) {
      if (error) {
        readFailed = true;
        console.error('Tessaro: the saved ranking could not be read:', error);
      } else if (exists(stored)) {
        FS.mkdirTree('/data');
        copy(stored, ranking);
      }
      removeRunDependency('tessaro-ranking');
    });
  }

  Module.preRun = [].concat(Module.preRun || [], readIn);
  Module.tessaroStore = store;
})();
