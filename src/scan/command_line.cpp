#include "scan/command_line.h"

#include <cctype>
#include <string_view>
#include <algorithm>

#include "platform/case_fold.h"
#include "platform/file_presence.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// The length of the %NAME% reference at text[at], or 0 when none starts
// there: arguments such as "%1", "%*" and quoted "%1" "%2" are not names.
std::size_t ReferenceLength(const std::string& text, std::size_t at) {
  if (text[at] != '%') return 0;
  const std::size_t close = text.find('%', at + 1);
  if (close == std::string::npos || close == at + 1) return 0;
  const char first = text[at + 1];
  if (std::isdigit(static_cast<unsigned char>(first)) || first == '*') return 0;
  for (std::size_t i = at + 1; i < close; ++i)
    if (IsBlank(text[i]) || text[i] == '"' || IsSeparator(text[i])) return 0;
  return close - at + 1;
}

// Cuts the text right after the third character after the dot, when at
// least four characters follow it: "app.exe -x" becomes "app.exe".
void CutAfterExtension(std::string& text, std::string::size_type dot) {
  if (dot != std::string::npos && text.size() - dot - 1 >= 4) text.resize(dot + 4);
}

bool HasExtension(const std::string& path) {
  const std::size_t name = path.find_last_of("\\/:");
  return path.find('.', name == std::string::npos ? 0 : name + 1) != std::string::npos;
}

// The readings of a text, looked up one by one until one is found.
class Readings {
 public:
  explicit Readings(const CommandLookups& lookups) : lookups_(lookups) {}

  bool Found() const { return found_; }
  // True once a reading was found.
  bool Try(const std::string& name) {
    if (found_ || name.empty() || name == last_) return found_;
    last_ = name;
    // Such a reading names no file: it neither finds nor misses anything.
    if (IsRejectedFileName(name)) return false;
    asked_ = true;
    const Presence presence = HoldsVariable(name) ? Presence::kCannotTell : lookups_.search(name);
    if (presence == Presence::kFound) found_ = true;
    if (presence == Presence::kCannotTell) unseen_ = true;
    return found_;
  }
  // A program named without extension, as the system starts it: with
  // ".exe", then with each extension of PATHEXT.
  bool TryWithExtensions(const std::string& name) {
    if (name.empty() || HasExtension(name) || IsSeparator(name.back())) return found_;
    if (Try(name + ".exe")) return true;
    const std::string extensions = lookups_.variable("PATHEXT").value_or(".COM;.EXE;.BAT;.CMD");
    for (std::size_t start = 0; start <= extensions.size();) {
      const std::size_t end = std::min(extensions.find(';', start), extensions.size());
      const std::string extension = extensions.substr(start, end - start);
      if (!extension.empty() && !EqualsNoCase(extension, ".exe") && Try(name + extension)) return true;
      start = end + 1;
    }
    return found_;
  }
  // Cannot tell when a reading could not be looked at, or when no reading
  // could be looked up at all.
  Presence Result() const {
    if (found_) return Presence::kFound;
    return unseen_ || !asked_ ? Presence::kCannotTell : Presence::kMissing;
  }

 private:
  const CommandLookups& lookups_;
  bool found_ = false, asked_ = false, unseen_ = false;
  std::string last_;  // the cuts often leave the text as it was
};

Presence Both(Presence first, Presence second) {
  if (first == Presence::kMissing || second == Presence::kMissing) return Presence::kMissing;
  return first == Presence::kFound ? second : first;
}

Presence PathPresence(std::string path, const CommandLookups& lookups) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  Readings readings(lookups);
  readings.Try(path);
  return readings.Result();
}

// "@file,-id" or "@file,id": the file that holds the text or icon.
// Packages' references ("@{...}") are not files.
Presence ResourcePresence(const std::string& reference, const CommandLookups& lookups) {
  if (reference.starts_with('{')) return Presence::kCannotTell;
  std::string file = ExpandVariables(reference, lookups);
  file.resize(std::min(file.size(), file.rfind(',')));
  return PathPresence(file, lookups);
}

// The DLL that "rundll32 DLL,Entry" loads (".dll" added when it has no
// extension); none when the program is not rundll32. program: the quoted
// program with the arguments after it, or the whole unquoted text.
std::optional<std::string> Rundll32Library(const std::string& program, const std::string& arguments, bool quoted) {
  constexpr std::string_view kName = "rundll32";
  std::size_t at = 0;
  for (;; ++at) {
    at = program.find_first_of("rR", at);
    if (at == std::string::npos) return std::nullopt;
    if ((at == 0 || IsSeparator(program[at - 1])) && StartsWithNoCase(std::string_view(program).substr(at), kName))
      break;
  }
  std::size_t end = at + kName.size();
  if (StartsWithNoCase(std::string_view(program).substr(end), ".exe")) end += 4;
  // rundll32's arguments: the library, a comma, the entry point.
  std::string rest = quoted ? arguments : program.substr(end);
  const bool name_ends = quoted ? end == program.size() : !rest.empty() && IsBlank(rest.front());
  const std::size_t first = rest.find_first_not_of(" \t");
  if (!name_ends || first == std::string::npos) return std::nullopt;
  // The library ends at the comma before the entry point, or at a blank.
  std::size_t end_of_library = rest.find(',', first);
  if (end_of_library == std::string::npos) end_of_library = rest.find_first_of(" \t", first);
  rest = rest.substr(first, end_of_library - first);
  rest.resize(rest.find_last_not_of(" \t") + 1);
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
  if (rest.empty()) return std::nullopt;
  return HasExtension(rest) ? rest : rest + ".dll";
}

}  // namespace

std::string ExpandVariables(const std::string& text, const CommandLookups& lookups) {
  if (text.find('%') == std::string::npos) return text;
  std::string expanded;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = ReferenceLength(text, i);
    const std::optional<std::string> value =
        length ? lookups.variable(text.substr(i + 1, length - 2)) : std::nullopt;
    if (value) {
      expanded += *value;
      i += length;
    } else {
      expanded += text[i++];
    }
  }
  return expanded;
}

bool HoldsVariable(const std::string& text) {
  for (std::size_t i = text.find('%'); i != std::string::npos; i = text.find('%', i + 1))
    if (ReferenceLength(text, i)) return true;
  return false;
}

Presence CommandTargetPresence(const std::string& command_line, const CommandLookups& lookups) {
  std::string text(command_line.data(), std::min(command_line.size(), command_line.find('\0')));
  if (text.starts_with('@')) return ResourcePresence(text.substr(1), lookups);
  if (StartsWithNoCase(text, "ms-resource:")) return Presence::kCannotTell;
  text = ExpandVariables(text, lookups);
  if (text.empty()) return Presence::kMissing;
  const bool quoted = text[0] == '"' || text[0] == '\'';
  std::string arguments;
  if (quoted) {
    const std::string::size_type closing = text.find(text[0], 1);
    if (closing != std::string::npos) arguments = text.substr(closing + 1);
    text = text.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    if (text.empty()) return Presence::kMissing;
  }
  // What is left of a percent sign at the start is no name: the document
  // itself ("%1" %*, as files that are programs open) or a variable
  // without a value.
  if (text.starts_with('%')) return Presence::kCannotTell;
  Readings readings(lookups);
  // As written, then without what follows an extension: the last one when
  // the arguments hold no dot, else the first.
  std::string cut = text;
  readings.Try(cut);
  CutAfterExtension(cut, cut.rfind('.'));
  readings.Try(cut);
  CutAfterExtension(cut, cut.find('.'));
  readings.Try(cut);
  // A program without extension: the system tries each blank as the end of
  // an unquoted name, shortest first.
  for (std::size_t end = quoted ? text.size() : 0; end <= text.size() && !readings.Found(); ++end)
    if (end == text.size() || IsBlank(text[end])) readings.TryWithExtensions(text.substr(0, end));
  Presence program = readings.Result();
  if (const auto library = Rundll32Library(text, arguments, quoted))
    program = Both(program, PathPresence(*library, lookups));
  return program;
}
