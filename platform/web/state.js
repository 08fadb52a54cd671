// What a test or a curious player can ask the running game from the console; nothing
// until the game's code has been loaded.
window.tessaro = {
  state: function () {
    return runtimeInitialized ? UTF8ToString(_tessaro_state()) : '';
  },
  // How the game's sleeps have kept time so far (pace.js), for the benchmark.
  pace: function () {
    return Object.assign({}, tessaroPace.figures);
  },
};
