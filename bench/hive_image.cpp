#include "bench/hive_image.h"

#include <memory>
#include <vector>

#include "platform/offline/hive_header.h"
#include "platform/registry_code_page.h"

namespace {

void Put16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value);
  bytes[at + 1] = static_cast<char>(value >> 8);
}
void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// One hive bin holding every cell; offsets count from the start of the bins.
class Bin {
 public:
  Bin() : data_(32, '\0') { data_.replace(0, 4, "hbin"); }
  std::uint32_t Add(const std::string& bytes) {
    const std::uint32_t offset = static_cast<std::uint32_t>(data_.size());
    const std::size_t size = (bytes.size() + 4 + 7) / 8 * 8;
    std::string cell(4, '\0');
    Put32(cell, 0, static_cast<std::uint32_t>(-static_cast<std::int32_t>(size)));
    cell += bytes;
    cell.resize(size, '\0');
    data_ += cell;
    return offset;
  }
  // A field of a cell's content written later.
  void Patch(std::uint32_t cell, std::size_t at, std::uint32_t value) { Put32(data_, cell + 4 + at, value); }
  // The bin padded to whole pages, the rest one free cell.
  std::string Finished() {
    const std::size_t size = (data_.size() + 8 + 4095) / 4096 * 4096;
    std::string free_cell(size - data_.size(), '\0');
    Put32(free_cell, 0, static_cast<std::uint32_t>(free_cell.size()));
    data_ += free_cell;
    Put32(data_, 8, static_cast<std::uint32_t>(data_.size()));
    return data_;
  }

 private:
  std::string data_;
};

// The name as stored, and whether it is stored one byte a character.
std::pair<std::string, bool> StoredName(const std::string& name, const CodePage& code_page) {
  const std::u16string wide = code_page.ToWide(name).value_or(u"?");
  bool narrow = true;
  for (const char16_t unit : wide) narrow = narrow && unit < 0x80;
  if (narrow) return {std::string(wide.begin(), wide.end()), true};
  const std::vector<std::uint8_t> bytes = BytesFromWide(wide);
  return {std::string(bytes.begin(), bytes.end()), false};
}

std::uint32_t WriteValue(Bin& bin, const std::string& name, const RegValue& value, const CodePage& code_page) {
  const RegValue stored = ValueToWide(value, code_page).value_or(value);
  const std::string data(stored.data.begin(), stored.data.end());
  const auto [stored_name, narrow] = StoredName(name, code_page);
  std::string vk(20, '\0');
  vk.replace(0, 2, "vk");
  Put16(vk, 2, static_cast<std::uint16_t>(stored_name.size()));
  if (data.size() <= 4) {
    Put32(vk, 4, static_cast<std::uint32_t>(data.size()) | 0x80000000u);
    vk.replace(8, data.size(), data);
  } else {
    Put32(vk, 4, static_cast<std::uint32_t>(data.size()));
    Put32(vk, 8, bin.Add(data));
  }
  Put32(vk, 12, stored.type);
  Put16(vk, 16, narrow ? 1 : 0);
  return bin.Add(vk + stored_name);
}

std::uint32_t WriteKey(Bin& bin, Registry& from, RootKey root, const std::string& path, const std::string& name,
                       std::uint32_t parent, const CodePage& code_page) {
  const std::unique_ptr<RegKey> key = from.OpenRead(root, path);
  std::vector<std::uint32_t> values;
  for (const std::string& value_name : key->ValueNames())
    if (const std::optional<RegValue> value = key->QueryValue(value_name))
      values.push_back(WriteValue(bin, value_name, *value, code_page));
  std::uint32_t value_list = kNone;
  if (!values.empty()) {
    std::string list(values.size() * 4, '\0');
    for (std::size_t i = 0; i < values.size(); ++i) Put32(list, 4 * i, values[i]);
    value_list = bin.Add(list);
  }
  const auto [stored_name, narrow] = StoredName(name, code_page);
  std::string nk(76, '\0');
  nk.replace(0, 2, "nk");
  Put16(nk, 2, static_cast<std::uint16_t>((parent == kNone ? 0x2C : 0) | (narrow ? 0x20 : 0)));
  Put32(nk, 16, parent);
  Put32(nk, 28, kNone);
  Put32(nk, 32, kNone);
  Put32(nk, 36, static_cast<std::uint32_t>(values.size()));
  Put32(nk, 40, value_list);
  Put32(nk, 44, kNone);  // no security descriptor
  Put32(nk, 48, kNone);  // no class name
  Put16(nk, 72, static_cast<std::uint16_t>(stored_name.size()));
  const std::uint32_t node = bin.Add(nk + stored_name);

  std::vector<std::uint32_t> subkeys;
  for (const std::string& subkey : key->SubkeyNames())
    subkeys.push_back(WriteKey(bin, from, root, path.empty() ? subkey : path + "\\" + subkey, subkey, node, code_page));
  if (!subkeys.empty()) {
    std::string list(4 + subkeys.size() * 4, '\0');
    list.replace(0, 2, "li");
    Put16(list, 2, static_cast<std::uint16_t>(subkeys.size()));
    for (std::size_t i = 0; i < subkeys.size(); ++i) Put32(list, 4 + 4 * i, subkeys[i]);
    bin.Patch(node, 20, static_cast<std::uint32_t>(subkeys.size()));
    bin.Patch(node, 28, bin.Add(list));
  }
  return node;
}

}  // namespace

std::string HiveImage(Registry& from, RootKey root, const std::string& path, const CodePage& code_page) {
  Bin bin;
  const std::uint32_t root_cell = WriteKey(bin, from, root, path, "ROOT", kNone, code_page);
  const std::string bins = bin.Finished();
  std::string base(4096, '\0');
  base.replace(0, 4, "regf");
  Put32(base, 4, 1);
  Put32(base, 8, 1);
  Put32(base, 20, 1);  // format version 1.3
  Put32(base, 24, 3);
  Put32(base, 32, 1);
  Put32(base, 36, root_cell);
  Put32(base, 40, static_cast<std::uint32_t>(bins.size()));
  Put32(base, 44, 1);
  Put32(base, 508, BaseBlockChecksum(base));
  return base + bins;
}
