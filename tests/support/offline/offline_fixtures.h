#pragma once
// Folders and hive files for the offline tests.
#include <string>

// A fresh folder under /tmp, removed with all it holds at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }
  // Creates the file and its folders (path relative to the folder).
  std::string AddFile(const std::string& relative, const std::string& content);

 private:
  std::string path_;
};

// The real hive of that name (as in TARNEL_TEST_HIVES, without ".xz")
// decompressed into the folder; empty when the test hives are not there.
std::string RealHive(const ScratchFolder& folder, const std::string& name);
