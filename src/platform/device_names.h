#pragma once
// Paths that name no file on a disk but a device or the object namespace:
// opening one may block for ever (a serial port), never end (a console) or
// reach something else than a file. A path taken from stored data is
// refused by its name, before it is opened.
#include <string_view>

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$ as the last component
// (with any extension, trailing blanks or dots, as Windows reads them), and
// anything under \\.\, \\?\GLOBALROOT or \??\.
bool NamesDevice(std::string_view path);
