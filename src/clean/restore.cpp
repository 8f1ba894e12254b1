#include "clean/restore.h"

#include "regtext/reg_file_encoding.h"

RestorePlan PlanRestore(std::string_view file, const CodePages& code_pages) {
  RestorePlan plan;
  try {
    DistinctRegTextCount count;
    for (const RegTextKey& key : DecodeRegFile(file, code_pages)) {
      count.AddKey(key);
      for (const RegTextValue& value : key.values) count.AddValue(key, value);
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
  RestoreReport report{applied.keys, applied.values, {}};
  for (const RegTextError& failure : applied.failures) report.failures.push_back(failure.what());
  return report;
}

std::string RestoreQuestion(const RestorePlan& plan, const std::string& file) {
  return std::to_string(plan.keys) + (plan.keys == 1 ? " key" : " keys") + " and " + std::to_string(plan.values) +
         (plan.values == 1 ? " value" : " values") + " will be written to the registry from\r\n" + file;
}

std::string RestoreSummary(const RestoreReport& report) {
  std::string text = "Written: " + std::to_string(report.keys) + (report.keys == 1 ? " key, " : " keys, ") +
                     std::to_string(report.values) + (report.values == 1 ? " value." : " values.");
  if (!report.failures.empty()) {
    text += "\r\nNot written:";
    for (const std::string& failure : report.failures) text += "\r\n" + failure;
  }
  return text;
}
