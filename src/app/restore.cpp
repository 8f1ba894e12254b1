#include "app/restore.h"

#include "regtext/regedit4_reader.h"

RestorePlan PlanRestore(std::string_view text) {
  RestorePlan plan;
  try {
    for (const RegTextKey& key : ParseRegedit4(text)) {
      ++plan.keys;
      plan.values += static_cast<int>(key.values.size());
    }
  } catch (const RegTextError& error) {
    plan.error = error.what();
  }
  return plan;
}

RestoreReport ApplyRestore(Registry& registry, std::string_view text) {
  RestoreReport report;
  for (const RegTextKey& key : ParseRegedit4(text)) {
    if (key.remove) {
      if (registry.DeleteKey(key.root, key.subpath) || !registry.OpenRead(key.root, key.subpath)) {
        ++report.keys;
      } else {
        report.failures.push_back("line " + std::to_string(key.line) + ": cannot delete " + key.path);
      }
      continue;
    }
    const std::unique_ptr<RegKey> open = registry.OpenWrite(key.root, key.subpath);
    if (!open) {
      report.failures.push_back("line " + std::to_string(key.line) + ": cannot create " + key.path);
      continue;
    }
    ++report.keys;
    for (const RegTextValue& value : key.values) {
      const bool done = value.value ? open->SetValue(value.name, *value.value)
                                    : (open->DeleteValue(value.name) || !open->QueryValue(value.name));
      if (done) {
        ++report.values;
      } else {
        report.failures.push_back("line " + std::to_string(value.line) + ": cannot write a value of " + key.path);
      }
    }
  }
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
