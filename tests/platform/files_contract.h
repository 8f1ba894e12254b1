#pragma once
// What the file-system contract tests need from a file system under test:
// the file system itself and the means to arrange files and folders around
// it, each world in its own way.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

class FilesWorld {
 public:
  virtual ~FilesWorld() = default;
  virtual FileSystem& Files() = 0;
  // An empty folder of the test's own: absolute, with a trailing backslash.
  virtual std::string Sandbox() = 0;
  virtual void MakeFolder(const std::string& path) = 0;
  virtual void PutFile(const std::string& path, const std::string& content) = 0;
  // The file's bytes, read past the file system under test.
  virtual std::optional<std::string> Content(const std::string& path) = 0;
  virtual std::vector<std::string> FileNamesIn(const std::string& folder) = 0;
  virtual void SetCurrentFolder(const std::string& folder) = 0;
  virtual void AddPathFolder(const std::string& folder) = 0;
  // The bare name of a file in the executable's folder.
  virtual std::string FileInExeFolder() = 0;
  // Holds the file as another program holding it open would, so that it
  // cannot be replaced or deleted, until Release.
  virtual void Hold(const std::string& path) = 0;
  virtual void Release(const std::string& path) = 0;
};

struct FilesWorldKind {
  const char* name;
  std::unique_ptr<FilesWorld> (*make)();
};

class FilesContract : public testing::TestWithParam<FilesWorldKind> {
 protected:
  void SetUp() override { world_ = GetParam().make(); }
  void TearDown() override { world_.reset(); }

  FilesWorld& World() { return *world_; }
  FileSystem& Files() { return world_->Files(); }
  std::string Sandbox() { return world_->Sandbox(); }

 private:
  std::unique_ptr<FilesWorld> world_;
};

inline std::string FilesWorldName(const testing::TestParamInfo<FilesWorldKind>& info) {
  return info.param.name;
}
