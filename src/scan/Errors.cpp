#include "scan/Errors.h"

#include <algorithm>

#include "platform/case_fold.h"

TErrorClass::TErrorClass(std::string message, std::string value_name, std::int32_t level)
    : FMessage(std::move(message)), FValueNames{std::move(value_name)}, FLevel(level) {}

TErrorClass::TErrorClass(std::string message, std::int32_t level)
    : FMessage(std::move(message)), FLevel(level) {}

void MergeProblem(TErrorClass& target, const TErrorClass& source) {
  if (source.FMessage != target.FMessage) target.FMessage += "," + source.FMessage;
  target.FLevel = std::max(target.FLevel, source.FLevel);
  for (const std::string& name : source.FValueNames) {
    const bool present = std::any_of(target.FValueNames.begin(), target.FValueNames.end(),
                                     [&](const std::string& have) { return EqualsNoCase(have, name); });
    if (!present) target.FValueNames.push_back(name);
  }
  for (const TErrorClass::FoundBy& found : source.FRules)
    if (std::none_of(target.FRules.begin(), target.FRules.end(),
                     [&](const TErrorClass::FoundBy& have) { return have.rule == found.rule; }))
      target.FRules.push_back(found);
}
