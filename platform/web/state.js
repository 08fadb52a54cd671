// What a test or a curious player can ask the running game from the console.
window.tessaro = {
  state: function () {
    return UTF8ToString(_tessaro_state());
  },
};
