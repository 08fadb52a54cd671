// How the game's sleeps give the page its turns and still end on time.
// Linked into the program as a JavaScript library; see PageBridge.h.
//
// The main loop takes the clock read after a sleep as its new reference, so every
// millisecond a sleep runs over is a millisecond of game time lost. A timer runs over,
// by 0.2 ms on a quiet page here and by more on a busy one, and by up to 4 ms when timers
// nest, as they did when each wake-up came from a timer and slept again. So a sleep waits
// on a timer until two to three milliseconds before its deadline, and gives the page a
// turn of its message queue, which has no clamp; its next timer is never nested. The last
// stretch it waits out without giving a turn: a page drawn in software renders in 2 to 4 ms
// of the page's thread, and a render taken in that stretch ended a third of the sleeps a
// millisecond or more late. Held back, the page renders after the game's step instead.
mergeInto(LibraryManager.library, {
  $tessaroPace__deps: ['$callUserCallback'],
  $tessaroPace: {
    // A timer is set to end this long before the deadline; the rest is waited out.
    TIMER_EARLY_MS: 2,
    channel: null,
    next: null,
    woke: 0,
    // For the benchmark (window.tessaro.pace()): the sleeps that waited for time, how
    // late they ended in all and at worst, how many ended a whole millisecond late (the
    // clock the loop reads had moved on: game time lost), and how long the game ran
    // between giving the page a turn and the next.
    figures: { sleeps: 0, lateMs: 0, worstLateMs: 0, lostSleeps: 0, runMs: 0 },

    // The whole milliseconds a timer may wait from now and still end before the stretch
    // that is waited out.
    timerFor: function (deadline, now) {
      return Math.floor(deadline - now - tessaroPace.TIMER_EARLY_MS);
    },

    // One turn of the page's message queue, then fn.
    post: function (fn) {
      if (!tessaroPace.channel) {
        tessaroPace.channel = new MessageChannel();
        tessaroPace.channel.port1.onmessage = function () {
          const then = tessaroPace.next;
          tessaroPace.next = null;
          then();
        };
      }
      tessaroPace.next = fn;
      tessaroPace.channel.port2.postMessage(0);
    },
  },

  // Returns once performance.now() has reached deadline, after at least one turn of the page.
  tessaro_sleep_until__deps: ['$tessaroPace'],
  tessaro_sleep_until: function (deadline) {
    const pace = tessaroPace;
    const figures = pace.figures;
    const asleep = performance.now();
    if (pace.woke > 0) figures.runMs += asleep - pace.woke;
    Asyncify.handleSleep(function (wakeUp) {
      let wait = null;
      const check = function () {
        let now = performance.now();
        if (pace.timerFor(deadline, now) >= 1) {
          wait();
          return;
        }
        while (now < deadline) now = performance.now();
        // A loop that is behind yields with a deadline already past: no sleep to time.
        if (deadline > asleep) {
          const late = now - deadline;
          figures.sleeps += 1;
          figures.lateMs += late;
          figures.worstLateMs = Math.max(figures.worstLateMs, late);
          if (late >= 1) figures.lostSleeps += 1;
        }
        pace.woke = now;
        callUserCallback(wakeUp);
      };
      wait = function () {
        const timer = pace.timerFor(deadline, performance.now());
        if (timer >= 1) setTimeout(function () { pace.post(check); }, timer);
        else pace.post(check);
      };
      wait();
    });
  },
});
