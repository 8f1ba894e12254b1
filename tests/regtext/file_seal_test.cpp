#include "regtext/file_seal.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Sealed(std::vector<std::string> body) {
  std::vector<std::string> lines{"REGEDIT4", FileSealOpeningLine()};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back(FileSealEndLine(CountRegistryLines(lines)));
  return lines;
}

const std::vector<std::string> kBody{"",
                                     "[HKEY_CURRENT_USER\\Software\\A]",
                                     "@=\"x\"",
                                     "\"Bin\"=hex:01,02,\\",
                                     "  03,04",
                                     "; a comment [not a key]",
                                     "",
                                     "[HKEY_CURRENT_USER\\Software\\A\\B]",
                                     "\"N\"=dword:9e3779b1",
                                     ""};

TEST(FileSeal, CountsKeyBlocksAndValueLinesOnly) {
  const FileSealCounts counts = CountRegistryLines(kBody);
  EXPECT_EQ(2u, counts.keys);
  EXPECT_EQ(3u, counts.values);
  EXPECT_EQ("; End of Tarnel's file. Keys: 2. Values: 3.", FileSealEndLine(counts));
}

TEST(FileSeal, AWholeFileIsIntactEvenWithBlankLinesAfterItsEnd) {
  std::vector<std::string> lines = Sealed(kBody);
  EXPECT_EQ(FileSealState::kIntact, CheckFileSeal(lines).state);
  lines.push_back("");
  EXPECT_EQ(FileSealState::kIntact, CheckFileSeal(lines).state);
}

TEST(FileSeal, AFileCutAnywhereIsCutShortAtItsLastLine) {
  const std::vector<std::string> whole = Sealed(kBody);
  for (std::size_t keep = 2; keep < whole.size(); ++keep) {
    const std::vector<std::string> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
    const FileSealCheck check = CheckFileSeal(cut);
    EXPECT_EQ(FileSealState::kCutShort, check.state) << keep;
  }
  // Cut inside a value line: the line is there but shorter.
  std::vector<std::string> cut(whole.begin(), whole.begin() + 10);
  cut.back() = "\"N\"=dword:00009e37";
  EXPECT_EQ(FileSealState::kCutShort, CheckFileSeal(cut).state);
  EXPECT_EQ(10u, CheckFileSeal(cut).line);
}

TEST(FileSeal, CountsThatDifferAreCutShort) {
  std::vector<std::string> lines = Sealed(kBody);
  lines.erase(lines.begin() + 4);  // a value line lost in the middle
  EXPECT_EQ(FileSealState::kCutShort, CheckFileSeal(lines).state);
}

TEST(FileSeal, FilesFromElsewhereAreNotOurs) {
  EXPECT_EQ(FileSealState::kNotOurs, CheckFileSeal({"REGEDIT4", "", "[HKEY_CURRENT_USER\\A]"}).state);
  EXPECT_EQ(FileSealState::kNotOurs, CheckFileSeal({"REGEDIT4"}).state);
  EXPECT_EQ(FileSealState::kNotOurs, CheckFileSeal({}).state);
}

}  // namespace
