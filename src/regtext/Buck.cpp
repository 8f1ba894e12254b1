#include "regtext/Buck.h"

#include <algorithm>
#include <memory>

#include "platform/case_fold.h"
#include "platform/file_errors.h"
#include "regtext/backup_file_name.h"
#include "regtext/file_seal.h"
#include "scan/key_paths.h"
#include "regtext/reg_file_encoding.h"
#include "platform/root_keys.h"
#include "platform/sha256.h"

namespace {

constexpr const char* kResultsFileName = "errors.reg";

bool ContainsNoCase(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names)
    if (EqualsNoCase(candidate, name)) return true;
  return false;
}

const std::optional<RegValue>* FindNoCase(const ValuesSnapshot& values, const std::string& name) {
  for (const auto& [candidate, value] : values)
    if (EqualsNoCase(candidate, name)) return &value;
  return nullptr;
}

// A document begins with the header and the opening line; nothing more in
// it: nothing to write.
RegDocument EmptyDocument() { return {"REGEDIT4", FileSealOpeningLine(), ""}; }

}  // namespace

TBuck::TBuck(ResultTree& tree, Registry& registry, FileSystem& files, Clock& clock,
             MailSender& mail, const CodePages& code_pages)
    : tree_(tree),
      registry_(registry),
      files_(files),
      clock_(clock),
      mail_(mail),
      folder_(files.CurrentFolder()),
      code_pages_(code_pages) {}

void TBuck::BeginBackupFile() {
  base_name_ = BackupFileBase(clock_.Now());
  user_named_ = false;
  StartDocument(FreeFileName());
}

void TBuck::BeginBackupFile(const std::string& file) {
  base_name_ = file.size() > 4 && EqualsNoCase(file.substr(file.size() - 4), ".reg") ? file.substr(0, file.size() - 4)
                                                                                       : file;
  used_names_.insert(FoldCase(file));
  user_named_ = true;
  StartDocument(file);
}

void TBuck::StartBackup() {
  if (FFileName.empty()) return;
  StartDocument(written_ ? FreeFileName() : FFileName);
}

void TBuck::StartDocument(const std::string& file) {
  FLines = EmptyDocument();
  headers_.Clear();
  notes_.clear();
  FFileName = file;
  written_.reset();
}

std::string TBuck::NextFileName() {
  if (!written_ || user_named_) return FFileName;
  return UnusedFileName();
}

std::string TBuck::UnusedFileName() {
  for (int candidate = 1;; ++candidate) {
    std::string name = folder_ + BackupFileName(base_name_, candidate);
    if (!used_names_.contains(FoldCase(name)) && !files_.FileExists(name)) return name;
  }
}

std::string TBuck::FreeFileName() {
  std::string name = UnusedFileName();
  used_names_.insert(FoldCase(name));
  return name;
}

void TBuck::Flush() {
  if (FFileName.empty() || FLines == EmptyDocument() || written_) return;
  // Created, never replacing: a file that took the name since the Start
  // belongs to someone else. A name the user gave is refused then; a name
  // of ours gives way to the next free one.
  const RegDocument sealed = Sealed(FLines);
  const std::string content = EncodeRegFile(sealed, code_pages_);
  while (!files_.WriteFileNew(FFileName, content)) {
    if (user_named_ || !files_.FileExists(FFileName)) throw FileCreateError(FFileName);
    FFileName = FreeFileName();
  }
  const FileSealCounts counts = CountRegistryLines(FLines);
  written_ = WrittenBackup{files_.FullPath(FFileName), content.size(), Sha256Hex(content),
                           static_cast<int>(counts.keys), static_cast<int>(counts.values)};
}

RegDocument TBuck::Sealed(const RegDocument& lines) {
  RegDocument sealed = lines;
  sealed.push_back(FileSealEndLine(CountRegistryLines(lines)));
  sealed.emplace_back();
  return sealed;
}

void TBuck::WriteDocument(const std::string& file, const RegDocument& lines) {
  if (!files_.WriteFileAtomic(file, EncodeRegFile(Sealed(lines), code_pages_))) throw FileCreateError(file);
}

int TBuck::FindOrAddKey(const std::string& path) {
  const std::string header = '[' + path + ']';
  if (const std::optional<std::size_t> line = headers_.Find(header)) return static_cast<int>(*line) + 1;
  headers_.Add(header, FLines.size());
  FLines.push_back(header);
  FLines.emplace_back();
  return static_cast<int>(FLines.size()) - 1;
}

bool TBuck::WriteValues(const std::string& header, int index, const ValuesSnapshot& values) {
  bool complete = true;
  const std::string block = '[' + header + ']';
  for (const auto& [name, value] : values) {
    // A value that could not be read has a name the ANSI calls cannot
    // address, or it went in the meantime: either way it is not backed up.
    if (!value) {
      complete = false;
      continue;
    }
    complete = complete && (MergesBackExactly(*value) || MergeOnlyAddsATerminator(*value));
    // Backed up already with this data, by a problem of this key or of one
    // above it: the block keeps the value once.
    const RegValue* held = headers_.HeldValue(block, name);
    if (held && *held == *value) continue;
    // Changed since (a retry after a refusal): the data as it is now goes
    // into a block of its own at the end, which a merge applies last.
    const int at = held ? AppendBlock(block) : index;
    const int last = WriteValue(FLines, at, name, *value);
    if (last < at) {
      complete = false;
      continue;
    }
    if (!held) {
      headers_.LinesInserted(at, last - at + 1);
      index = last + 1;
    }
    headers_.AddValue(block, name, *value);
    if (MergeOnlyAddsATerminator(*value))
      notes_.push_back(header + ": the text of " + (name.empty() ? std::string(kDefaultValueName) : '"' + name + '"') +
                       " comes back with a terminating zero added; it reads the same");
  }
  return complete;
}

int TBuck::AppendBlock(const std::string& block) {
  FLines.push_back(block);
  FLines.emplace_back();
  return static_cast<int>(FLines.size()) - 1;
}

bool TBuck::BackupKeyTree(RootKey root, const std::string& root_name, const std::string& key_path,
                          BranchSnapshot* taken) {
  const std::string header = JoinKeyPath(root_name, key_path);
  if (!IsSingleLine(header)) return false;
  KeySnapshot copy;
  bool complete;
  {
    const std::unique_ptr<RegKey> key = registry_.OpenRead(root, key_path);
    if (!key) {
      unreadable_keys_.push_back(header);
      return false;
    }
    copy = ReadKeySnapshot(*key, key_path);
    complete = WriteValues(header, FindOrAddKey(header), copy.values);
    complete = NoteUnreadableNames(*key, header) && complete;
  }
  // A class cannot be written to a file the registry editor merges: such a
  // key is not backed up, and so not deleted.
  if (copy.class_name != std::string()) {
    unreadable_names_.push_back(header + " (its class)");
    complete = false;
  }
  const std::vector<std::string> subkeys = copy.subkeys;
  if (taken) taken->push_back(std::move(copy));
  for (const std::string& subkey : subkeys)
    complete = BackupKeyTree(root, root_name, JoinKeyPath(key_path, subkey), taken) && complete;
  return complete;
}

bool TBuck::NoteUnreadableNames(RegKey& key, const std::string& header) {
  const std::vector<std::string> subkeys = key.UnreadableSubkeyNames();
  const std::vector<std::string> values = key.UnreadableValueNames();
  for (const std::string& name : subkeys) unreadable_names_.push_back(header + '\\' + name);
  for (const std::string& name : values) unreadable_names_.push_back(header + ": \"" + name + '"');
  return subkeys.empty() && values.empty();
}

bool TBuck::BackupKeyOfNode(const ResultNode& node, BranchSnapshot* taken) {
  const KeyPath key = NodeKey(node);
  if (node.Level() < 2 || key.Root() == 0) return false;
  return BackupKeyTree(key.Root(), RootKeyName(key.Root()), key.Path(), taken);
}

bool TBuck::BackupValuesOfNode(const ResultNode& node, const std::vector<std::string>& names,
                               ValuesSnapshot* taken) {
  const KeyPath node_key = NodeKey(node);
  const RootKey root = node_key.Root();
  if (!node.Data() || root == 0) return false;
  const std::string& key_path = node_key.Path();
  const std::string header = node_key.FullName();
  if (!IsSingleLine(header)) return false;
  // The header goes in first: a key that cannot be opened leaves it with an
  // empty block.
  const int index = FindOrAddKey(header);
  const std::unique_ptr<RegKey> key = registry_.OpenRead(root, key_path);
  if (!key) {
    unreadable_keys_.push_back(header);
    return false;
  }
  // Each named value read once: what the file holds is what is compared
  // before the deletion. A name the key lacks is noted as absent.
  std::vector<std::string> listed;
  for (const std::string& name : names) listed.push_back(EqualsNoCase(name, kDefaultValueName) ? "" : name);
  ValuesSnapshot copy = ReadValuesSnapshot(*key, listed);
  ValuesSnapshot chosen;
  auto choose = [&](const std::string& name) {
    const std::optional<RegValue>* value = FindNoCase(copy, name);
    if (value && *value) chosen.emplace_back(name, **value);
  };
  // The default value, by its stand-in or by its own empty name: whatever
  // the deletion will remove is written here.
  if (std::find(listed.begin(), listed.end(), std::string()) != listed.end()) choose("");
  for (const std::string& name : key->ValueNames())
    if (!name.empty() && ContainsNoCase(names, name)) choose(name);
  if (taken) *taken = std::move(copy);
  return WriteValues(header, index, chosen);
}

bool TBuck::BackupProblem(const ResultNode& node) {
  const TErrorClass* record = node.Data();
  if (!record) return false;
  if (record->FLevel <= 0) return BackupValuesOfNode(node, record->FValueNames);
  const ResultNode* key = ProblemKeyNode(node, record->FLevel);
  return key && BackupKeyOfNode(*key);
}

void TBuck::SaveResults(const std::string& file) {
  RegDocument journal = EmptyDocument();
  HeaderIndex journal_headers;
  FLines.swap(journal);
  std::swap(headers_, journal_headers);
  struct PutBack {
    TBuck& buck;
    RegDocument& journal;
    HeaderIndex& journal_headers;
    ~PutBack() {
      buck.FLines.swap(journal);
      std::swap(buck.headers_, journal_headers);
    }
  } put_back{*this, journal, journal_headers};
  unreadable_keys_.clear();
  // Those the scan met first, then those met reading the problems' keys.
  unreadable_names_ = tree_.Unreadable();
  ForEachProblem(*tree_.Top(), [this](const ResultNode& node) { BackupProblem(node); });
  // Said in the file itself: whoever merges it back must know what it lacks.
  AppendComment("; These keys could not be read; they are not in this file:", unreadable_keys_);
  AppendComment("; These keys and values have names this program cannot read ('?' for what it cannot show); "
                "they are not in this file:",
                unreadable_names_);
  WriteDocument(file, FLines);
}

void TBuck::AppendComment(const std::string& heading, const std::vector<std::string>& names) {
  if (names.empty()) return;
  FLines.push_back(heading);
  for (std::string name : names) {
    // A line break in a name would end the comment line.
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, '?');
    FLines.push_back("; " + name);
  }
  FLines.emplace_back();
}

MailResult TBuck::SendResults() {
  const std::string path = files_.TempFolder() + kResultsFileName;
  SaveResults(path);
  if (!files_.FileExists(path)) return MailResult::kNoMailProgram;
  struct DeleteAfter {
    FileSystem& files;
    const std::string& path;
    ~DeleteAfter() { files.DeleteFile(path); }
  } delete_after{files_, path};
  return mail_.SendFile(path);
}
