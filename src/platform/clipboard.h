#pragma once
// The system clipboard, for plain text.
#include <string>

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content with the text; false when it failed.
  virtual bool SetText(const std::string& text) = 0;
};
