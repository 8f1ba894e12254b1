#pragma once
// Message boxes and file dialogs: the window's errors, questions and file
// choices go through here, so tests answer them instead of facing a modal
// box.
#include <optional>
#include <string>

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void Error(const std::string& text) = 0;
  virtual void Inform(const std::string& text) = 0;
  // OK and Cancel; true for OK.
  virtual bool Confirm(const std::string& title, const std::string& text) = 0;
  // The file dialogs, with their captions: the chosen file's name, or none
  // when cancelled.
  virtual std::optional<std::string> AskSaveFile(const std::string& title) = 0;
  // The open dialog shows the folder first (with a trailing backslash).
  virtual std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder) = 0;
};
