// The message table of a language file, read directly and as the program
// loads a language through lang.ini. Input: the language file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "lang/langv.h"
#include "platform/ini_file.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"

namespace {

// Loading a language puts nothing into a window.
class NoForm : public TranslatedForm {
 public:
  int ActionCount() const override { return 0; }
  int ActionTag(int) const override { return 0; }
  std::string ActionCaption(int) const override { return {}; }
  void SetActionCaption(int, const std::string&) override {}
  void SetActionHint(int, const std::string&) override {}
  void SetComponentCaption(const std::string&, const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const IniFile file(text);
  const std::vector<std::string> table = ReadMessageTable(file);

  // At most one text per name, none empty, none longer than a value.
  FUZZ_CHECK(table.size() <= file.ReadSectionKeys("Messages").size());
  for (const std::string& message : table) FUZZ_CHECK(!message.empty() && message.size() <= IniFile::kValueChars);

  MemoryFileSystem files;
  files.AddFile(files.ExeFolder() + TLangv::kIndexFile, "[languages]\nfuzzed=fuzzed.lng\n");
  files.AddFile(files.ExeFolder() + "fuzzed.lng", text);
  MemoryRegistry registry;
  NoForm form;
  TLangv langv(form, registry, files);
  // A file without texts is not switched to.
  FUZZ_CHECK(langv.LoadLanguage("fuzzed") == !table.empty());
  FUZZ_CHECK(langv.MessageCount() == static_cast<int>(table.size()));
  for (int i = 0; i < langv.MessageCount(); ++i) FUZZ_CHECK(langv.GetMsg(i) == table[i]);
  // Past the table: the built-in English text, where it has one.
  const std::vector<std::string>& english = BuiltInEnglishMessages();
  const int past = langv.MessageCount();
  FUZZ_CHECK(langv.GetMsg(-1).empty());
  FUZZ_CHECK(langv.GetMsg(past) == (past < static_cast<int>(english.size()) ? english[past] : ""));
  return 0;
}
