// What a test or a curious player can ask the running game from the console; nothing
// until the game's code has been loaded.
window.tessaro = {
  state: function () {
    return runtimeInitialized ? UTF8ToString(_tessaro_state()) : '';
  },
};
