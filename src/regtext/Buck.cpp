#include "regtext/Buck.h"

#include <memory>

#include "platform/case_fold.h"
#include "platform/file_errors.h"
#include "regtext/backup_file_name.h"
#include "scan/key_paths.h"
#include "regtext/reg_file_encoding.h"
#include "platform/root_keys.h"

namespace {

constexpr const char* kResultsFileName = "errors.reg";

bool ContainsNoCase(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names)
    if (EqualsNoCase(candidate, name)) return true;
  return false;
}

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
  Flush();
  base_name_ = BackupFileBase(clock_.Now());
  StartDocument(FreeFileName());
}

void TBuck::BeginBackupFile(const std::string& file) {
  Flush();
  // Should the name be taken by the time of the first write, the counter
  // keeps the new file apart from it.
  base_name_ = file.size() > 4 && EqualsNoCase(file.substr(file.size() - 4), ".reg") ? file.substr(0, file.size() - 4)
                                                                                       : file;
  used_names_.insert(FoldCase(file));
  StartDocument(file);
}

void TBuck::StartDocument(const std::string& file) {
  FLines = {"REGEDIT4", ""};
  headers_.Clear();
  notes_.clear();
  FFileName = file;
  file_written_ = false;
  written_ = {FLines, headers_, notes_};
}

std::string TBuck::FreeFileName() {
  for (int candidate = 1;; ++candidate) {
    std::string name = folder_ + BackupFileName(base_name_, candidate);
    if (used_names_.insert(FoldCase(name)).second && !files_.FileExists(name)) return name;
  }
}

void TBuck::Flush() {
  if (FFileName.empty() || FLines.size() <= 2 || FLines == written_.lines) return;
  // A file that appeared since the Start belongs to someone else.
  if (!file_written_ && files_.FileExists(FFileName)) FFileName = FreeFileName();
  try {
    WriteDocument(FFileName, FLines);
  } catch (const FileCreateError&) {
    FLines = written_.lines;
    headers_ = written_.headers;
    notes_ = written_.notes;
    throw;
  }
  file_written_ = true;
  written_ = {FLines, headers_, notes_};
}

void TBuck::WriteDocument(const std::string& file, const RegDocument& lines) {
  if (!files_.WriteFileAtomic(file, EncodeRegFile(lines, code_pages_))) throw FileCreateError(file);
}

int TBuck::FindOrAddKey(const std::string& path) {
  const std::string header = '[' + path + ']';
  if (const std::optional<std::size_t> line = headers_.Find(header)) return static_cast<int>(*line) + 1;
  headers_.Add(header, FLines.size());
  FLines.push_back(header);
  FLines.emplace_back();
  return static_cast<int>(FLines.size()) - 1;
}

bool TBuck::WriteValues(RegKey& key, const std::string& header, int index, const std::vector<std::string>& names) {
  bool complete = true;
  const std::string block = '[' + header + ']';
  for (const std::string& name : names) {
    // A listed value that cannot be read has a name the ANSI calls cannot
    // address, or it went in the meantime: either way it is not backed up.
    const std::optional<RegValue> value = key.QueryValue(name);
    if (!value) {
      complete = false;
      continue;
    }
    const bool exact = MergesBackExactly(*value) || MergeOnlyAddsATerminator(*value);
    // Backed up already, by a problem of this key or of one above it: the
    // block keeps the value once, as it stood first.
    if (headers_.HoldsValue(block, name)) {
      complete = complete && exact;
      continue;
    }
    const int last = WriteValue(FLines, index, name, *value);
    if (last < index) {
      complete = false;
      continue;
    }
    headers_.LinesInserted(index, last - index + 1);
    headers_.AddValue(block, name);
    index = last + 1;
    if (MergeOnlyAddsATerminator(*value))
      notes_.push_back(header + ": the text of " + (name.empty() ? std::string(kDefaultValueName) : '"' + name + '"') +
                       " comes back with a terminating zero added; it reads the same");
    complete = complete && exact;
  }
  return complete;
}

bool TBuck::BackupKeyTree(RootKey root, const std::string& root_name,
                          const std::string& key_path) {
  const std::string header = JoinKeyPath(root_name, key_path);
  if (!IsSingleLine(header)) return false;
  std::vector<std::string> subkeys;
  bool complete;
  {
    const std::unique_ptr<RegKey> key = registry_.OpenRead(root, key_path);
    if (!key) {
      unreadable_keys_.push_back(header);
      return false;
    }
    const int index = FindOrAddKey(header);
    complete = WriteValues(*key, header, index, key->ValueNames());
    complete = NoteUnreadableNames(*key, header) && complete;
    subkeys = key->SubkeyNames();
  }
  for (const std::string& subkey : subkeys)
    complete = BackupKeyTree(root, root_name, JoinKeyPath(key_path, subkey)) && complete;
  return complete;
}

bool TBuck::NoteUnreadableNames(RegKey& key, const std::string& header) {
  const std::vector<std::string> subkeys = key.UnreadableSubkeyNames();
  const std::vector<std::string> values = key.UnreadableValueNames();
  // A line break in a name would end the comment line.
  auto shown = [](std::string name) {
    for (char& c : name)
      if (c == '\r' || c == '\n') c = '?';
    return name;
  };
  for (const std::string& name : subkeys) unreadable_names_.push_back(header + '\\' + shown(name));
  for (const std::string& name : values) unreadable_names_.push_back(header + ": \"" + shown(name) + '"');
  return subkeys.empty() && values.empty();
}

bool TBuck::BackupKeyOfNode(const ResultNode& node) {
  const KeyPath key = NodeKey(node);
  if (node.Level() < 2 || key.Root() == 0) return false;
  return BackupKeyTree(key.Root(), RootKeyName(key.Root()), key.Path());
}

bool TBuck::BackupValuesOfNode(const ResultNode& node, const std::vector<std::string>& names) {
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
  std::vector<std::string> chosen;
  if (ContainsNoCase(names, kDefaultValueName) && key->QueryValue("")) chosen.emplace_back();
  for (const std::string& name : key->ValueNames())
    if (ContainsNoCase(names, name)) chosen.push_back(name);
  return WriteValues(*key, header, index, chosen);
}

bool TBuck::BackupProblem(const ResultNode& node) {
  const TErrorClass* record = node.Data();
  if (!record) return false;
  if (record->FLevel <= 0) return BackupValuesOfNode(node, record->FValueNames);
  const ResultNode* key = ProblemKeyNode(node, record->FLevel);
  return key && BackupKeyOfNode(*key);
}

void TBuck::SaveResults(const std::string& file) {
  Flush();
  RegDocument journal{"REGEDIT4", "", ""};
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
  unreadable_names_.clear();
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
  for (const std::string& name : names) FLines.push_back("; " + name);
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
