#pragma once

// What the page's own script (page.js, linked in as a library) does for the game.
extern "C" {
void tessaro_set_title(const char* title);
int tessaro_page_width();
int tessaro_page_height();
void tessaro_place_canvas(int x, int y, int width, int height);
// Shows the question; tessaro_answer then says -1 while it is open, 1 for Yes, 0 for No.
void tessaro_ask(const char* caption, const char* text);
int tessaro_answer();
void tessaro_hide_pointer();
// The game is over: the page says so and offers to start again.
void tessaro_ended();
}
