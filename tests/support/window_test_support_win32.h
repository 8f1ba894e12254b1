#pragma once
// Helpers of the window tests: reading menus back, pumping messages until
// the window has settled, and saving what is on the screen.
#include <windows.h>

#include <string>
#include <vector>

// One line per entry: its text, "-" for a separator, with " [off]" when
// disabled, " [x]" when checked and " [default]" for the default entry.
std::vector<std::string> MenuLines(HMENU menu);
// The text of a top-level entry of a menu bar.
std::string MenuCaption(HMENU bar, int position);
// A window's text (its title, for a top-level window) and its class name,
// of any process's window.
std::string WindowTitle(HWND window);
std::string ClassName(HWND window);
// Handles messages for about the given time, so that windows are painted.
void Settle(int milliseconds = 200);
// Writes the screen's pixels under the window to a BMP file in the
// screenshots folder beside the test program; the file's name.
std::string SaveScreenshot(HWND window, const std::string& name);
// The calling thread's visible dialog box (a message box, a file dialog);
// null when none shows.
HWND ShownDialog();
