#pragma once
// Message boxes: the window's errors and questions go through here, so tests
// read them instead of facing a modal box.
#include <string>

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void Error(const std::string& text) = 0;
};
