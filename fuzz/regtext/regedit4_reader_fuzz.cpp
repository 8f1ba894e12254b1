// The REGEDIT4 reader and the import into the in-memory registry. A text the
// reader takes is applied with its bytes as written; the backup journal
// writes the registry that gives back out, whole; that text must read
// without error and apply to a fresh registry that comes out the same, key
// for key and value for value. The registry editor's merge (ImportRegText)
// runs on every text as well.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/Buck.h"
#include "platform/key_path.h"
#include "regtext/regedit4_reader.h"
#include "scan/result_tree.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"

namespace {

// Every root key, as the journal writes a backup of it.
std::string WrittenBack(Registry& registry) {
  ResultTree tree;
  MemoryFileSystem files;
  FixedClock clock;
  NoMail mail;
  TBuck journal(tree, registry, files, clock, mail);
  journal.BeginBackupFile();
  for (RootKey root = kHkeyClassesRoot; root <= kHkeyDynData; ++root)
    journal.BackupKeyTree(root, RootKeyName(root), "");
  return RegDocumentText(journal.Lines());
}

void CheckSameTree(Registry& expected, Registry& actual, RootKey root, const std::string& path) {
  std::vector<std::string> subkeys;
  {
    const std::unique_ptr<RegKey> want = expected.OpenRead(root, path);
    const std::unique_ptr<RegKey> got = actual.OpenRead(root, path);
    FUZZ_CHECK(want && got);
    const std::vector<std::string> values = want->ValueNames();
    FUZZ_CHECK(got->ValueNames() == values);
    for (const std::string& name : values) FUZZ_CHECK(got->QueryValue(name) == want->QueryValue(name));
    subkeys = want->SubkeyNames();
    FUZZ_CHECK(got->SubkeyNames() == subkeys);
  }
  for (const std::string& subkey : subkeys) CheckSameTree(expected, actual, root, JoinKeyPath(path, subkey));
}

// A CR LF counts as two breaks here: an upper bound of the line count.
int MostLines(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n')) +
         1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  MemoryRegistry merged;
  try {
    ImportRegText(merged, text);
  } catch (const RegTextError& error) {
    FUZZ_CHECK(error.Line() >= 1 && error.Line() <= MostLines(text));
  }

  std::vector<RegTextKey> keys;
  try {
    keys = ParseRegedit4(text);
  } catch (const RegTextError&) {
    return 0;
  }
  MemoryRegistry imported;
  ApplyRegText(imported, keys, RegTextBytes::kAsWritten);
  const std::string written = WrittenBack(imported);
  MemoryRegistry reimported;
  FUZZ_CHECK(ApplyRegText(reimported, ParseRegedit4(written), RegTextBytes::kAsWritten).failures.empty());
  for (RootKey root = kHkeyClassesRoot; root <= kHkeyDynData; ++root) CheckSameTree(imported, reimported, root, "");
  return 0;
}
