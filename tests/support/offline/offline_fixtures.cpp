#include "support/offline/offline_fixtures.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

ScratchFolder::ScratchFolder() {
  char folder[] = "/tmp/tarnel-offline-XXXXXX";
  path_ = mkdtemp(folder) ? folder : "";
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::AddFile(const std::string& relative, const std::string& content) {
  const std::filesystem::path file = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
  return file.string();
}

std::string RealHive(const ScratchFolder& folder, const std::string& name) {
  const std::string source = std::string(TARNEL_TEST_HIVES) + "/" + name + ".xz";
  if (!std::filesystem::exists(source)) return "";
  const std::string target = folder.Path() + "/" + name;
  const std::string command = "xz -dc '" + source + "' > '" + target + "'";
  if (std::system(command.c_str()) != 0) return "";
  return target;
}
