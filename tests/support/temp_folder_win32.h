#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the object goes.
#include <string>

class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(const std::string& prefix);
  ScopedTempFolder(const ScopedTempFolder&) = delete;
  ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;
  ~ScopedTempFolder();

  // Absolute, with a trailing backslash.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
