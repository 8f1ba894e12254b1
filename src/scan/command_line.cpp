#include "scan/command_line.h"

namespace {

// Cuts the text right after the third character after the dot, when at
// least four characters follow it: "app.exe -x" becomes "app.exe".
void CutAfterExtension(std::string& text, std::string::size_type dot) {
  if (dot != std::string::npos && text.size() - dot - 1 >= 4) text.resize(dot + 4);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool CommandTargetExists(const std::string& command_line, const std::function<bool(const std::string&)>& search) {
  std::string text = command_line.substr(0, kCommandLineChars);
  text.resize(std::min(text.size(), text.find('\0')));
  if (!text.empty() && (text[0] == '"' || text[0] == '\'')) {
    const char quote = text[0];
    text.erase(0, 1);
    const std::string::size_type closing = text.find(quote);
    if (closing != std::string::npos) text.resize(closing);
  }
  if (StartsWith(text, "%")) return true;
  auto found = [&] { return !text.empty() && search(text); };
  if (found()) return true;
  CutAfterExtension(text, text.rfind('.'));
  if (found()) return true;
  CutAfterExtension(text, text.find('.'));
  if (found()) return true;
  return StartsWith(command_line, "rundll32") || StartsWith(command_line, "explorer") ||
         StartsWith(command_line, "winhlp32");
}
