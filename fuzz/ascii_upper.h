#pragma once
// The text with its ASCII letters in upper case: names the code must find
// without regard to case, spelt the other way.
#include <string>

inline std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}
