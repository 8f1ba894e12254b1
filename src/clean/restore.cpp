#include "clean/restore.h"

#include <unordered_map>
#include <unordered_set>

#include "regtext/file_seal.h"
#include "regtext/reg_file_encoding.h"

namespace {

std::string LineText(int line) { return "line " + std::to_string(line) + ": "; }

// "" when the file is whole, or not one of ours.
std::string CutShortError(std::string_view file) {
  const std::optional<std::vector<std::string>> lines = RegFileLines(file);
  if (!lines) return "";  // the reader names what is wrong with it
  const FileSealCheck seal = CheckFileSeal(*lines);
  if (seal.state != FileSealState::kCutShort) return "";
  return "the file is cut short at line " + std::to_string(seal.line);
}

}  // namespace

RestorePlan PlanRestore(std::string_view file, const CodePages& code_pages) {
  RestorePlan plan;
  // Said first: the cut may also have left a line the reader cannot read.
  plan.error = CutShortError(file);
  if (!plan.error.empty()) return plan;
  try {
    DistinctRegTextCount count;
    for (const RegTextKey& key : DecodeRegFile(file, code_pages)) {
      if (key.remove) {
        plan.deletions.push_back(LineText(key.line) + "[-" + key.path + ']');
        continue;
      }
      // Values of a root key itself are no backup of a deleted entry: none
      // of ours holds any.
      if (key.subpath.empty() && !key.values.empty())
        throw RegTextError(key.line, "values of a whole root key [" + key.path + "]; they are not restored");
      count.AddKey(key);
      for (const RegTextValue& value : key.values) {
        if (value.value) {
          count.AddValue(key, value);
        } else {
          plan.deletions.push_back(LineText(value.line) + '[' + key.path + "] \"" + value.name + "\"=-");
        }
      }
    }
    plan.keys = count.Keys();
    plan.values = count.Values();
  } catch (const RegTextError& error) {
    plan.error = error.what();
  }
  return plan;
}

namespace {

std::string ValueName(const RegTextKey& key, const RegTextValue& value) {
  return '[' + key.path + "] " + (value.name.empty() ? std::string("@") : '"' + value.name + '"');
}

enum class Before { kMissing, kSame, kOther };

// The registry as the restore finds it, before it writes anything: which
// keys are there, and each value of the file missing, the same or other.
struct Found {
  std::unordered_set<std::string> keys;
  std::unordered_map<std::string, Before> values;
  std::vector<std::string> conflicts;  // in the file's order, each once
};

Found FindBefore(Registry& registry, const std::vector<RegTextKey>& keys) {
  Found found;
  for (const RegTextKey& key : keys) {
    if (key.remove) continue;
    const std::unique_ptr<RegKey> open = registry.OpenRead(key.root, key.subpath);
    if (open) found.keys.insert(RegTextKeyIdentity(key));
    for (const RegTextValue& value : key.values) {
      if (!value.value || found.values.contains(RegTextValueIdentity(key, value))) continue;
      const std::optional<RegValue> now = open ? open->QueryValue(value.name) : std::nullopt;
      const Before before = !now ? Before::kMissing : now == value.value ? Before::kSame : Before::kOther;
      found.values[RegTextValueIdentity(key, value)] = before;
      if (before == Before::kOther) found.conflicts.push_back(ValueName(key, value));
    }
  }
  return found;
}

}  // namespace

RestoreReport ApplyRestore(Registry& registry, std::string_view file, const CodePages& code_pages,
                           OnConflict on_conflict) {
  const std::vector<RegTextKey> keys = DecodeRegFile(file, code_pages);
  const Found found = FindBefore(registry, keys);
  RestoreReport report;
  report.conflicts = found.conflicts;
  report.overwritten = on_conflict == OnConflict::kOverwrite && !found.conflicts.empty();
  DistinctRegTextCount created, there, written, same, deleted;
  for (const RegTextKey& key : keys) {
    if (key.remove) {
      if (registry.DeleteKey(key.root, key.subpath) || !registry.OpenRead(key.root, key.subpath)) {
        deleted.AddKey(key);
      } else {
        report.failures.push_back(LineText(key.line) + "cannot delete key [" + key.path + "]");
      }
      continue;
    }
    const std::unique_ptr<RegKey> open = registry.OpenWrite(key.root, key.subpath);
    if (!open) {
      report.failures.push_back(LineText(key.line) + "cannot create key [" + key.path + "]");
      continue;
    }
    (found.keys.contains(RegTextKeyIdentity(key)) ? there : created).AddKey(key);
    for (const RegTextValue& value : key.values) {
      if (!value.value) {
        if (open->DeleteValue(value.name) || !open->QueryValue(value.name)) deleted.AddValue(key, value);
        else report.failures.push_back(LineText(value.line) + "cannot delete value \"" + value.name + "\"");
        continue;
      }
      const Before before = found.values.at(RegTextValueIdentity(key, value));
      if (before == Before::kSame) {
        same.AddValue(key, value);
        continue;
      }
      if (before == Before::kOther && on_conflict == OnConflict::kKeep) continue;
      if (open->SetValue(value.name, *value.value)) written.AddValue(key, value);
      else report.failures.push_back(LineText(value.line) + "cannot write value \"" + value.name + "\"");
    }
  }
  report.keys = created.Keys();
  report.keys_there = there.Keys();
  report.values = written.Values();
  report.values_there = same.Values();
  report.deleted_keys = deleted.Keys();
  report.deleted_values = deleted.Values();
  return report;
}

std::vector<std::string> RestoreConflicts(Registry& registry, std::string_view file, const CodePages& code_pages) {
  return FindBefore(registry, DecodeRegFile(file, code_pages)).conflicts;
}


bool RestoredAll(const RestoreReport& report) {
  return report.failures.empty() && (report.conflicts.empty() || report.overwritten);
}

std::string RestoreQuestion(const RestorePlan& plan, const std::string& file) {
  return std::to_string(plan.keys) + (plan.keys == 1 ? " key" : " keys") + " and " + std::to_string(plan.values) +
         (plan.values == 1 ? " value" : " values") + " will be written to the registry from\r\n" + file;
}

std::string RestoreDeletionsQuestion(const RestorePlan& plan) {
  std::string text = "The file also deletes from the registry; a backup never does. These would be deleted:";
  for (const std::string& deletion : plan.deletions) text += "\r\n" + deletion;
  return text + "\r\nDelete them too?";
}

std::string RestoreDeletionsRefusal(const RestorePlan& plan) {
  return "the file deletes from the registry (" + plan.deletions.front() + "); a backup never does";
}

namespace {

std::string Counted(int keys, int values) {
  return std::to_string(keys) + (keys == 1 ? " key, " : " keys, ") + std::to_string(values) +
         (values == 1 ? " value." : " values.");
}

}  // namespace

std::string RestoreSummary(const RestoreReport& report) {
  std::string text = "Written: " + Counted(report.keys, report.values);
  if (report.keys_there || report.values_there)
    text += "\r\nAlready there: " + Counted(report.keys_there, report.values_there);
  if (!report.conflicts.empty()) {
    text += report.overwritten ? "\r\nChanged since the deletion, overwritten:" : "\r\nChanged since the deletion: kept:";
    for (const std::string& conflict : report.conflicts) text += "\r\n" + conflict;
  }
  if (report.deleted_keys || report.deleted_values)
    text += "\r\nDeleted: " + Counted(report.deleted_keys, report.deleted_values);
  if (!report.failures.empty()) {
    text += "\r\nNot written:";
    for (const std::string& failure : report.failures) text += "\r\n" + failure;
  }
  return text;
}
