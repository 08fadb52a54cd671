// The page's hooks into the runtime, and its own buttons: from a file of the page's
// rather than inline, so that a strict Content Security Policy lets the page run.
Module.canvas = document.getElementById('canvas');
Module.setStatus = function (text) {
  const status = document.getElementById('status');
  status.textContent = text;
  status.hidden = text === '';
};
Module.onAbort = function (what) {
  Module.setStatus('The game stopped: ' + what);
};
Module.canvas.addEventListener('contextmenu', function (event) {
  event.preventDefault();
});
document.getElementById('again').addEventListener('click', function () {
  location.reload();
});
