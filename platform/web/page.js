// The page's side of the game: the canvas's place, the question, the stored ranking,
// the end.
// Linked into the program as a JavaScript library; see PageBridge.h.
mergeInto(LibraryManager.library, {
  tessaro_set_title: function (title) {
    document.title = UTF8ToString(title);
  },

  // The window less what the world ranking keeps for itself (world.js).
  tessaro_page_width: function () {
    return window.innerWidth - (Module.tessaroReserved ? Module.tessaroReserved.right : 0);
  },

  tessaro_page_height: function () {
    return window.innerHeight - (Module.tessaroReserved ? Module.tessaroReserved.bottom : 0);
  },

  tessaro_watching: function () {
    return Module.tessaroWatched ? 1 : 0;
  },

  tessaro_place_canvas: function (x, y, width, height) {
    const style = document.getElementById('canvas').style;
    style.left = x + 'px';
    style.top = y + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
  },

  tessaro_ask: function (caption, text) {
    const dialog = document.getElementById('question');
    document.getElementById('question-caption').textContent = UTF8ToString(caption);
    document.getElementById('question-text').textContent = UTF8ToString(text);
    Module.tessaroAnswer = -1;
    const answer = function (yes) {
      if (Module.tessaroAnswer !== -1) return;
      // Browsers grant full screen only inside the player's own click or key press.
      if (yes && document.documentElement.requestFullscreen) {
        document.documentElement.requestFullscreen().catch(function (error) {
          console.warn('Tessaro: full screen was refused:', error.message);
        });
      }
      Module.tessaroAnswer = yes ? 1 : 0;
      dialog.hidden = true;
      document.removeEventListener('keydown', onKey, true);
    };
    const onKey = function (event) {
      const key = event.key.toLowerCase();
      if (key === 'y' || key === 'enter') answer(true);
      else if (key === 'n' || key === 'escape') answer(false);
      else return;
      event.preventDefault();
      event.stopPropagation();
    };
    document.getElementById('yes').onclick = function () { answer(true); };
    document.getElementById('no').onclick = function () { answer(false); };
    document.addEventListener('keydown', onKey, true);
    dialog.hidden = false;
    document.getElementById('yes').focus();
  },

  tessaro_answer: function () {
    return Module.tessaroAnswer;
  },

  tessaro_store: function (path) {
    return Module.tessaroStore(UTF8ToString(path)) ? 1 : 0;
  },

  tessaro_hide_pointer: function () {
    document.body.classList.add('playing');
  },

  tessaro_ended: function () {
    document.body.classList.remove('playing');
    if (Module.tessaroEnded) Module.tessaroEnded();
    if (document.fullscreenElement && document.exitFullscreen) {
      document.exitFullscreen().catch(function () {});
    }
    document.getElementById('ended').hidden = false;
    document.getElementById('again').focus();
  },
});
