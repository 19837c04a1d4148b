#pragma once

// What the program asks of the page it runs in (implemented in web_page.js).

#include <cstdint>

extern "C" {
// Returns when input arrives or `timeoutMs` passes (negative: no limit); the browser runs
// meanwhile, so a waiting program costs nothing.
void velko_wait_input(int timeoutMs);
// Opens an address in a new tab.
void velko_open_tab(const char* url);
// Offers the file at `url` (relative to the page) as a download named `name`.
void velko_offer_download(const char* url, const char* name);
// Puts the page's screen into full screen or back.
void velko_set_fullscreen(int on);
// Makes `dir` a folder kept in the browser's storage (IndexedDB) and fills it with what was
// kept there before; afterwards the page saves it every few seconds and when it is left.
// Returns 0 when the folder will last, else nonzero (it then lasts only for this visit).
int velko_keep_folder(const char* dir);
// The program has ended (the reader chose to end it): the page says so instead of leaving the
// last frame standing.
void velko_ended(int status);
}
