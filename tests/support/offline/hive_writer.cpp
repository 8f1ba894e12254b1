#include "support/offline/hive_writer.h"

#include <hivex.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/registry_code_page.h"

namespace {

std::string Utf8(const std::string& text, const CodePage& code_page) {
  const std::optional<std::u16string> wide = code_page.ToWide(text);
  if (!wide) throw std::runtime_error("no text of the code page: " + text);
  return Utf8CodePage().FromWide(*wide).value();
}

void CopyTree(hive_h* hive, hive_node_h node, RegKey& key, Registry& from, RootKey root, const std::string& path,
              const CodePage& code_page) {
  std::vector<std::string> names;
  std::vector<RegValue> values;
  for (const std::string& name : key.ValueNames()) {
    const std::optional<RegValue> value = key.QueryValue(name);
    if (!value) continue;
    names.push_back(Utf8(name, code_page));
    values.push_back(ValueToWide(*value, code_page).value());
  }
  std::vector<hive_set_value> set(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    set[i].key = names[i].data();
    // Any 32-bit type, beyond the values of hivex's enum.
    std::memcpy(&set[i].t, &values[i].type, sizeof(set[i].t));
    set[i].len = values[i].data.size();
    set[i].value = reinterpret_cast<char*>(values[i].data.data());
  }
  if (hivex_node_set_values(hive, node, set.size(), set.data(), 0) != 0)
    throw std::runtime_error("hivex cannot set the values of " + path);
  for (const std::string& name : key.SubkeyNames()) {
    const std::string child_path = path.empty() ? name : path + "\\" + name;
    const hive_node_h child = hivex_node_add_child(hive, node, Utf8(name, code_page).c_str());
    if (child == 0) throw std::runtime_error("hivex cannot add " + child_path);
    const std::unique_ptr<RegKey> child_key = from.OpenRead(root, child_path);
    if (child_key) CopyTree(hive, child, *child_key, from, root, child_path, code_page);
  }
}

}  // namespace

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteHive(const std::string& file, Registry& from, RootKey root, const std::string& path,
               const CodePage& code_page) {
  {
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << FileBytes(TARNEL_EMPTY_HIVE);
  }
  hive_h* hive = hivex_open(file.c_str(), HIVEX_OPEN_WRITE);
  if (!hive) throw std::runtime_error("hivex cannot open " + file);
  const std::unique_ptr<RegKey> key = from.OpenRead(root, path);
  try {
    if (key) CopyTree(hive, hivex_root(hive), *key, from, root, path, code_page);
  } catch (...) {
    hivex_close(hive);
    throw;
  }
  const int committed = hivex_commit(hive, nullptr, 0);
  hivex_close(hive);
  if (committed != 0) throw std::runtime_error("hivex cannot write " + file);
}
