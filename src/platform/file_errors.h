#pragma once
#include <stdexcept>
#include <string>

// A file could not be written; the text is what the user is shown.
class FileCreateError : public std::runtime_error {
 public:
  explicit FileCreateError(const std::string& file_name)
      : std::runtime_error("Cannot create file " + file_name) {}
};
