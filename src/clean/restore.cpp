#include "clean/restore.h"

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

RestoreReport ApplyRestore(Registry& registry, std::string_view file, const CodePages& code_pages) {
  const RegTextApplied applied =
      ApplyRegText(registry, DecodeRegFile(file, code_pages), RegTextBytes::kAsWritten);
  RestoreReport report{applied.keys, applied.values, applied.deleted_keys, applied.deleted_values, {}};
  for (const RegTextError& failure : applied.failures) report.failures.push_back(failure.what());
  return report;
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
  if (report.deleted_keys || report.deleted_values)
    text += "\r\nDeleted: " + Counted(report.deleted_keys, report.deleted_values);
  if (!report.failures.empty()) {
    text += "\r\nNot written:";
    for (const std::string& failure : report.failures) text += "\r\n" + failure;
  }
  return text;
}
