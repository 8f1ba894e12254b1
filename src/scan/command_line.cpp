#include "scan/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/case_fold.h"
#include "platform/file_presence.h"
#include "scan/path_forms.h"
#include "scan/script_hosts.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view WithoutBlanksAround(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
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
// least four characters follow it: "app.exe,0" becomes "app.exe".
void CutAfterExtension(std::string& text, std::string::size_type dot) {
  if (dot != std::string::npos && text.size() - dot - 1 >= 4) text.resize(dot + 4);
}

std::size_t FileNameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/:");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

bool HasExtension(std::string_view path) { return path.find('.', FileNameStart(path)) != std::string_view::npos; }

bool IsBareName(std::string_view name) { return name.find_first_of("\\/:") == std::string_view::npos; }

// The readings of a text, looked up one by one until one is found.
class Readings {
 public:
  explicit Readings(const CommandLookups& lookups) : lookups_(lookups) {}

  bool Found() const { return found_; }
  // The name found, and how much of the text it took as the program.
  const std::string& FoundName() const { return last_; }
  std::size_t FoundLength() const { return found_length_; }
  // True once a reading was found.
  bool Try(const std::string& name) { return TryTaking(name, name.size()); }
  // A program named without extension, as the system starts it: with
  // ".exe", then with each extension of PATHEXT.
  bool TryWithExtensions(const std::string& name) {
    if (name.empty() || HasExtension(name) || IsSeparator(name.back())) return found_;
    if (TryTaking(name + ".exe", name.size())) return true;
    const std::string extensions = lookups_.variable("PATHEXT").value_or(".COM;.EXE;.BAT;.CMD");
    for (std::size_t start = 0; start <= extensions.size();) {
      const std::size_t end = std::min(extensions.find(';', start), extensions.size());
      const std::string extension = extensions.substr(start, end - start);
      if (!extension.empty() && !EqualsNoCase(extension, ".exe") && TryTaking(name + extension, name.size()))
        return true;
      start = end + 1;
    }
    return found_;
  }
  // A reading that names something nobody can look at from here.
  void Unseen() { unseen_ = true; }
  // Cannot tell when a reading could not be looked at, or when no reading
  // could be looked up at all.
  Presence Result() const {
    if (found_) return Presence::kFound;
    return unseen_ || !asked_ ? Presence::kCannotTell : Presence::kMissing;
  }

 private:
  bool TryTaking(const std::string& name, std::size_t length) {
    if (found_ || name.empty() || name == last_) return found_;
    last_ = name;
    // Such a reading names no file: it neither finds nor misses anything.
    if (IsRejectedFileName(name)) return false;
    asked_ = true;
    const Presence presence = HoldsVariable(name) ? Presence::kCannotTell : lookups_.search(name);
    if (presence == Presence::kFound) {
      found_ = true;
      found_length_ = length;
    }
    if (presence == Presence::kCannotTell) unseen_ = true;
    return found_;
  }

  const CommandLookups& lookups_;
  bool found_ = false, asked_ = false, unseen_ = false;
  std::string last_;  // the cuts often leave the text as it was
  std::size_t found_length_ = 0;
};

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

// The file a host runs, as the host finds it: a quoted name, or else the
// first text up to a blank that names a file. None when the host is given
// no file: no name, or a product code.
std::optional<Presence> HostedFilePresence(const HostedFile& file, const CommandLookups& lookups) {
  std::string_view text = file.text;
  // The command interpreter drops the outer pair of ""x" y".
  if (text.starts_with("\"\"") && text.size() > 2) text.remove_prefix(1);
  if (text.empty() || text.front() == '{') return std::nullopt;
  Readings readings(lookups);
  const auto judge = [&](std::string_view candidate) {
    const std::string name(WithoutNamespacePrefix(candidate));
    // The document the line is opened for ("%1") cannot be told; nor can a
    // bare document or command, the working folder's or the interpreter's
    // own.
    if (name.starts_with('%') || (file.kind != HostedKind::kLibrary && IsBareName(name)))
      return readings.Unseen();
    if (HasExtension(name) || file.kind == HostedKind::kDocument) readings.Try(name);
    else if (file.kind == HostedKind::kLibrary) readings.Try(name + ".dll");
    else readings.TryWithExtensions(name);
  };
  if (text.front() == '"') {
    judge(text.substr(1, text.find('"', 1) - 1));
  } else {
    text = text.substr(0, file.name_end ? text.find(file.name_end) : std::string_view::npos);
    for (std::size_t end = 1; end <= text.size() && !readings.Found(); ++end)
      if (end == text.size() || IsBlank(text[end])) judge(text.substr(0, end));
  }
  return readings.Result();
}

// The file URL a line names, quoted or not; none when it names none.
std::optional<std::string> LinesFileUrl(std::string_view line) {
  if (line.starts_with('"')) line = line.substr(1, line.find('"', 1) - 1);
  return FileUrlPath(line);
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
  const std::string_view line =
      WithoutBlanksAround(std::string_view(command_line).substr(0, command_line.find('\0')));
  if (line.starts_with('@')) return ResourcePresence(std::string(line.substr(1)), lookups);
  if (StartsWithNoCase(line, "ms-resource:")) return Presence::kCannotTell;
  if (std::optional<std::string> url = LinesFileUrl(line)) return PathPresence(std::move(*url), lookups);
  std::string text = ExpandVariables(std::string(line), lookups);
  if (text.empty()) return Presence::kMissing;
  const bool quoted = text[0] == '"' || text[0] == '\'';
  std::string arguments;
  if (quoted) {
    const std::string::size_type closing = text.find(text[0], 1);
    if (closing != std::string::npos) arguments = text.substr(closing + 1);
    text = text.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    if (text.empty()) return Presence::kMissing;
  }
  if (const std::string_view plain = WithoutNamespacePrefix(text); plain.size() != text.size())
    text = std::string(plain);
  // What is left of a percent sign at the start is no name: the document
  // itself ("%1" %*, as files that are programs open) or a variable
  // without a value.
  if (text.starts_with('%')) return Presence::kCannotTell;
  Readings readings(lookups);
  // As written, then without what follows an extension: the last one when
  // the arguments hold no dot, else the first (an icon's ",0" too).
  std::string cut = text;
  readings.Try(cut);
  CutAfterExtension(cut, cut.rfind('.'));
  readings.Try(cut);
  CutAfterExtension(cut, cut.find('.'));
  readings.Try(cut);
  // As the system starts an unquoted line: each text up to a blank in
  // turn, shortest first, whatever its folders and arguments hold.
  for (std::size_t end = quoted ? text.size() : 1; end <= text.size() && !readings.Found(); ++end) {
    if (end != text.size() && !IsBlank(text[end])) continue;
    if (!HasExtension(std::string_view(text).substr(0, end)))
      readings.TryWithExtensions(text.substr(0, end));
    else if (end != text.size())
      readings.Try(text.substr(0, end));
  }
  if (!readings.Found()) return readings.Result();
  const std::string_view program = readings.FoundName();
  const std::string_view after_program = quoted ? arguments : std::string_view(text).substr(readings.FoundLength());
  const std::optional<HostedFile> hosted = FileAHostRuns(program.substr(FileNameStart(program)), after_program);
  if (!hosted) return Presence::kFound;
  return HostedFilePresence(*hosted, lookups).value_or(Presence::kFound);
}
