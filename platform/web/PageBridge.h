#pragma once

// What the page's own scripts (page.js and pace.js, linked in as libraries) do for the game.
// Where world.js leaves the replay of the round the page was opened to watch.
inline constexpr const char* kWatchedReplay = "/watched.tsr";

extern "C" {
void tessaro_set_title(const char* title);
int tessaro_page_width();
int tessaro_page_height();
void tessaro_place_canvas(int x, int y, int width, int height);
// Shows the question; tessaro_answer then says -1 while it is open, 1 for Yes, 0 for No.
void tessaro_ask(const char* caption, const char* text);
int tessaro_answer();
// The file at path has just been written: the page stores it in the browser if it is
// one it keeps (persist.js). 0 when it could not, with the cause on the console.
int tessaro_store(const char* path);
void tessaro_hide_pointer();
// The game is over: the page says so and offers to start again.
void tessaro_ended();
// 1 when the page was opened at a ranked round's address and holds its replay at
// kWatchedReplay: the page plays that round instead of the game.
int tessaro_watching();
// Gives the page its turns until performance.now() reaches deadline, then returns (pace.js).
void tessaro_sleep_until(double deadline);
}
