#include "clean/ignoring.h"

#include <algorithm>

#include "clean/deletion.h"
#include "platform/case_fold.h"
#include "scan/key_paths.h"

std::vector<IgnoredItem> IgnoredItemsOf(const ResultNode& node, const std::vector<std::string>& bad_values,
                                        const std::string& added) {
  const std::string key = NodeFullPath(node);
  if (bad_values.empty()) return {{key, std::nullopt, added}};
  std::vector<IgnoredItem> items;
  for (const std::string& value : bad_values) items.push_back({key, value, added});
  return items;
}

void TakeIgnoredOut(ResultTree& tree, ResultNode& node, const std::vector<IgnoredItem>& items) {
  TErrorClass* record = node.Data();
  if (!record) return;
  bool whole_key = false;
  for (const IgnoredItem& item : items) {
    if (!item.value) {
      whole_key = true;
      continue;
    }
    std::erase_if(record->FValueNames, [&](const std::string& name) { return EqualsNoCase(name, *item.value); });
    if (record->FValueNames.empty()) whole_key = true;
  }
  if (!whole_key) {
    tree.DataChanged(node);
  } else if (node.ChildCount() == 0) {
    PruneBranch(tree, node);
  } else {
    tree.SetData(node, nullptr);
  }
}
