#include "cli/result_formats.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "cli/headless_scan.h"
#include "platform/fixed_clock.h"
#include "platform/ini_file.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/host_file.h"
#include "support/json_reader.h"
#include "support/no_mail.h"
#include "support/reg_bytes.h"

namespace {

using Strings = std::vector<std::string>;

TEST(ResultFormats, TsvFieldsHoldNoTabLineEndOrSeparator) {
  EXPECT_EQ(TsvField("a\\b\tc\nd\re|f\"g\xE9\x01"), "a\\\\b\\tc\\nd\\re\\x7cf\"g\xE9\x01");
  EXPECT_EQ(TsvField("\\x7c"), "\\\\x7c") << "a written escape stays text";
}

TEST(ResultFormats, JsonStringsAreAsciiWithEveryHighByteAsItsOwnCodePoint) {
  EXPECT_EQ(JsonString("q\"b\\t\t\n\r\x01\x1f\x7f\x80\xE9\xFF"),
            "\"q\\\"b\\\\t\\t\\n\\r\\u0001\\u001f\\u007f\\u0080\\u00e9\\u00ff\"");
  EXPECT_EQ(JsonString(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

// One problem as the text list shows it.
struct Problem {
  std::string path, message;
  std::int64_t level = 0;
  Strings values;
};

std::string AsTextList(const std::vector<Problem>& problems) {
  std::string text;
  for (const Problem& problem : problems) {
    text += problem.path + "\n    " + problem.message + "; level " + std::to_string(problem.level);
    for (std::size_t i = 0; i < problem.values.size(); ++i)
      text += (i ? ", \"" : "; values: \"") + problem.values[i] + "\"";
    text += "\n";
  }
  const std::size_t n = problems.size();
  return text + std::to_string(n) + (n == 1 ? " problem" : " problems") + " found.\n";
}

Strings Split(const std::string& text, char separator) {
  Strings parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
    parts.push_back(text.substr(start, end - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::string TsvUnescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    const std::string rest = field.substr(i + 1);
    if (rest.starts_with("x7c")) {
      out += '|';
      i += 3;
      continue;
    }
    const std::string plain = "\\tnr", meant = "\\\t\n\r";
    const std::size_t kind = rest.empty() ? std::string::npos : plain.find(rest[0]);
    if (kind == std::string::npos) throw std::runtime_error("unknown TSV escape in " + field);
    out += meant[kind];
    ++i;
  }
  return out;
}

std::vector<Problem> ReadTsv(const std::string& tsv) {
  Strings lines = Split(tsv, '\n');
  EXPECT_EQ(lines.front(), "path\tmessage\tlevel\tvalues");
  EXPECT_EQ(lines.back(), "") << "the last line ends with a line feed";
  std::vector<Problem> problems;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    const Strings fields = Split(lines[i], '\t');
    if (fields.size() != 4) throw std::runtime_error("not four fields: " + lines[i]);
    Problem problem{TsvUnescape(fields[0]), TsvUnescape(fields[1]), std::stoll(fields[2]), {}};
    if (!fields[3].empty())
      for (const std::string& value : Split(fields[3], '|')) problem.values.push_back(TsvUnescape(value));
    problems.push_back(problem);
  }
  return problems;
}

std::vector<Problem> ReadJsonProblems(const JsonValue& json) {
  std::vector<Problem> problems;
  for (const JsonValue& item : json["problems"].Array()) {
    Problem problem{item["path"].Str(), item["message"].Str(), item["level"].Int(), {}};
    for (const JsonValue& value : item["values"].Array()) problem.values.push_back(value.Str());
    problems.push_back(problem);
  }
  return problems;
}

class ResultFormatsScanTest : public testing::Test {
 protected:
  void SetUp() override {
    files.AddFile(files.ExeFolder() + "Knowbase.ini", ReadHostFile(TARNEL_BUILT_KNOWBASE));
  }
  struct Output {
    int code;
    std::string out, err;
  };
  Output Scan(const std::string& format, bool stop = false) {
    std::ostringstream out, err;
    HeadlessScan scan(HeadlessSystem{registry, files, clock, mail, 1251}, out, err, nullptr);
    const ParsedScanOptions parsed = ParseScanOptions({"--format", format});
    EXPECT_EQ(parsed.error, "");
    if (stop) scan.RequestStop();
    const int code = scan.Run(parsed.options);
    return {code, out.str(), err.str()};
  }
  // The TSV and the JSON read back give the text list, byte for byte.
  void ExpectRoundTrip() {
    const Output text = Scan("text"), tsv = Scan("tsv"), json = Scan("json");
    ASSERT_EQ(text.code, kExitProblemsFound);
    EXPECT_EQ(AsTextList(ReadTsv(tsv.out)), text.out);
    const JsonValue parsed = ReadJson(json.out);
    EXPECT_EQ(AsTextList(ReadJsonProblems(parsed)), text.out);
    EXPECT_EQ(parsed["code_page"].Int(), 1251);
    const IniFile rules(*files.ReadFile(files.ExeFolder() + "Knowbase.ini"));
    EXPECT_EQ(parsed["summary"]["entries"].Int(), static_cast<std::int64_t>(rules.ReadSectionKeys("PATHS1").size()));
    EXPECT_EQ(parsed["summary"]["problems"].Int(), static_cast<std::int64_t>(parsed["problems"].Array().size()));
    EXPECT_FALSE(parsed["summary"]["stopped"].Bool());
    for (const Output* machine : {&tsv, &json}) {
      EXPECT_EQ(machine->code, kExitProblemsFound);
      EXPECT_EQ(machine->err, text.out.substr(text.out.rfind('\n', text.out.size() - 2) + 1))
          << "the count goes to standard error";
    }
  }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 1, 2, 3, 4, 5}};
  NoMail mail;
};

TEST_F(ResultFormatsScanTest, TheHostileDemoRegistryComesBackFromTsvAndJson) {
  ImportRegText(registry, ReadHostFile(TARNEL_HOSTILE_REG));
  ExpectRoundTrip();
  const std::string json = Scan("json").out;
  for (const char* escaped : {"Tarnel \\\"quoted\\\"", "Tarnel back\\\\slash\\\\", "Tarnel\\ttab", "Tarnel|pipe",
                              "caf\\u00e9 \\u00a3\\u0080\\u00ff", "Tarnel\\\", \\\"comma", "\\\"Hostile\\\"\\tcaf\\u00e9|pipe.exe",
                              "gone \\\"q\\\" caf\\u00e9.dll"})
    EXPECT_NE(json.find(escaped), std::string::npos) << "the hostile name " << escaped << " was planted and found";
}

TEST_F(ResultFormatsScanTest, NamesNoRegistryFileCanHoldComeBackToo) {
  const std::unique_ptr<RegKey> run =
      registry.OpenWrite(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  for (const std::string name : {"line\nfeed", "carriage\rreturn", "ctl\x01\x7f", "\\x7c|\\t", "\\", "|", ""})
    run->SetValue(name, RegValue{kRegSz, Sz("C:\\gone.exe")});
  registry.OpenWrite(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\a\r\nb|\t\x9f.exe")
      ->SetValue("", RegValue{kRegSz, Sz("C:\\gone.exe")});
  ExpectRoundTrip();
}

TEST_F(ResultFormatsScanTest, AStoppedScanSaysSoInTheSummaryAndKeepsTheDataClean) {
  const Output json = Scan("json", true);
  EXPECT_EQ(json.code, kExitStopped);
  const JsonValue parsed = ReadJson(json.out);
  EXPECT_TRUE(parsed["summary"]["stopped"].Bool());
  EXPECT_TRUE(parsed["problems"].Array().empty());
  EXPECT_EQ(json.err, "Scan stopped: the list above holds only what was found until then.\n0 problems found.\n");
  EXPECT_EQ(Scan("tsv", true).out, "path\tmessage\tlevel\tvalues\n");
}

TEST(ScanOptions, FormatAndLint) {
  EXPECT_EQ(ParseScanOptions({"--format", "json"}).options.format, ResultFormat::kJson);
  EXPECT_EQ(ParseScanOptions({"--format", "tsv"}).options.format, ResultFormat::kTsv);
  EXPECT_EQ(ParseScanOptions({}).options.format, ResultFormat::kText);
  EXPECT_EQ(ParseScanOptions({"--format", "xml"}).error, "--format takes text, tsv or json");
  EXPECT_EQ(ParseScanOptions({"--format"}).error, "--format takes text, tsv or json");

  ParsedScanOptions parsed = ParseScanOptions({"--lint", "C:\\k.ini"});
  EXPECT_TRUE(parsed.options.lint);
  EXPECT_EQ(parsed.options.lint_file, "C:\\k.ini");
  parsed = ParseScanOptions({"--lint", "--knowbase", "C:\\k.ini"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_FALSE(parsed.options.lint_file.has_value());
  EXPECT_EQ(parsed.options.knowledge_base, "C:\\k.ini");
  EXPECT_EQ(ParseScanOptions({"--lint", "--save", "r.reg"}).error,
            "--lint does not scan: no other option but --knowbase goes with it");
  EXPECT_NE(ParseScanOptions({"--format", "json", "--lint"}).error, "");
}

TEST_F(ResultFormatsScanTest, LintReadsTheKnowledgeBaseTheScanWouldRead) {
  files.AddFile("C:\\bad.ini", "[PATHS1]\nHKEY_CURRENT_USER\\A=A,x,LD_\n");
  for (const Strings& args : {Strings{"--lint"}, Strings{"--knowbase", "C:\\bad.ini", "--lint"},
                              Strings{"--lint", "C:\\bad.ini"}}) {
    std::ostringstream out, err;
    HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
    const int code = scan.Run(ParseScanOptions(args).options);
    if (args.size() == 1) {
      EXPECT_EQ(code, kExitClean);
      EXPECT_EQ(out.str(), "");
    } else {
      EXPECT_EQ(code, 1);
      EXPECT_EQ(out.str().rfind("C:\\bad.ini:2: warning: the level \"x\" reads as 0", 0), 0u) << out.str();
    }
  }
}

}  // namespace
