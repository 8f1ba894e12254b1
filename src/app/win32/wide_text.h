#pragma once
// The program's strings for the W functions of the system, which draw
// every letter whatever the system's code page (some systems' A functions
// draw UTF-8 as if it were their ANSI code page).
#include <string>

// Bytes that are no text of the program's code page show as the system's
// replacement character.
std::u16string WideText(const std::string& text);
inline wchar_t* W(std::u16string& text) { return reinterpret_cast<wchar_t*>(text.data()); }
inline const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.data()); }
