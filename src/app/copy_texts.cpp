#include "app/copy_texts.h"

namespace {

void AppendLine(std::string& text, const std::string& line) {
  if (!text.empty()) text += "\r\n";
  text += line;
}

}  // namespace

std::string CopyNamesText(const std::vector<std::string>& selected_names) {
  std::string text;
  for (std::size_t i = 0; i < selected_names.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += selected_names[i];
  }
  return text;
}

std::optional<std::string> CopyValuesText(int rows_in_list,
                                          const std::vector<std::optional<std::string>>& selected_data) {
  if (rows_in_list == 1) return selected_data.empty() ? std::nullopt : selected_data.front();
  std::string text;
  for (const std::optional<std::string>& data : selected_data)
    if (data && !data->empty()) AppendLine(text, *data);
  return text;
}
