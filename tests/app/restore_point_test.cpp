// The restore point around Delete All against a fake System Restore: every
// answer the system can give, and what the summary says of it.
#include "app/restore_point.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/form_texts.h"
#include "lang/langv.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"

namespace {

class FakeSystemRestore : public SystemRestore {
 public:
  bool Available() override { return available; }
  RestorePointAnswer Begin(const std::string& description) override {
    calls.push_back("begin " + description);
    if (begin.ok && creates) newest = RestorePointInfo{begin.sequence, "2026-12-08 01:00"};
    return begin;
  }
  RestorePointAnswer End(std::int64_t sequence) override {
    calls.push_back("end " + std::to_string(sequence));
    return {true, 0, sequence};
  }
  std::optional<RestorePointInfo> Newest() override { return readable ? newest : std::nullopt; }
  std::string ErrorText(std::uint32_t status) override { return "text of " + std::to_string(status); }

  bool available = true;
  bool readable = true;
  bool creates = true;  // an accepted request adds a point
  RestorePointAnswer begin{true, 0, 42};
  std::optional<RestorePointInfo> newest;
  std::vector<std::string> calls;
};

struct Case {
  const char* name;
  bool available, readable, creates;
  RestorePointAnswer begin;
  std::optional<RestorePointInfo> newest;
  RestorePointOutcome outcome;
  const char* text;
  bool ended;
};

TEST(RestorePointTest, EveryAnswerOfTheSystemGivesItsOwnHonestSentence) {
  const RestorePointInfo yesterday{41, "2026-12-07 18:30"};
  const Case cases[] = {
      {"made", true, true, true, {true, 0, 42}, yesterday, RestorePointOutcome::kMade,
       "Restore point: made (number 42).", true},
      {"first point ever", true, true, true, {true, 0, 1}, std::nullopt, RestorePointOutcome::kMade,
       "Restore point: made (number 1).", true},
      {"reused: success, yet no new point", true, true, false, {true, 0, 41}, yesterday, RestorePointOutcome::kReused,
       "Restore point: not made: Windows made one in the last 24 hours (2026-12-07 18:30) and keeps that one "
       "instead.",
       true},
      {"points unreadable", true, false, true, {true, 0, 42}, yesterday, RestorePointOutcome::kMadeOrReused,
       "Restore point: requested and accepted (number 42), but Windows does not show whether it made a new one or "
       "kept one made in the last 24 hours.",
       true},
      {"protection off", true, true, true, {false, 1058, 0}, yesterday, RestorePointOutcome::kProtectionOff,
       "Restore point: not made: System Protection is off.", false},
      {"declined without a reason (Wine)", true, true, true, {false, 0, 0}, std::nullopt, RestorePointOutcome::kNoReason,
       "Restore point: not made: the system declined and gave no reason.", false},
      {"failed", true, true, true, {false, 5, 0}, yesterday, RestorePointOutcome::kFailed,
       "Restore point: not made: error 5: text of 5", false},
      {"no System Restore", false, true, true, {true, 0, 42}, yesterday, RestorePointOutcome::kUnavailable,
       "Restore point: not made: this system has no System Restore.", false},
  };
  FormTexts form;
  MemoryRegistry registry;
  MemoryFileSystem files;
  const TLangv english(form, registry, files);  // no language file: the built-in texts
  for (const Case& c : cases) {
    FakeSystemRestore system;
    system.available = c.available;
    system.readable = c.readable;
    system.creates = c.creates;
    system.begin = c.begin;
    system.newest = c.newest;
    RestorePointResult result;
    {
      RestorePointSpan span(system);
      result = span.Begin("Tarnel: Delete All");
      span.End();
    }  // and once more as the span goes
    EXPECT_EQ(result.outcome, c.outcome) << c.name;
    EXPECT_EQ(RestorePointText(result, english), c.text) << c.name;
    const std::vector<std::string> begun{"begin Tarnel: Delete All", "end " + std::to_string(c.begin.sequence)};
    if (!c.available) EXPECT_TRUE(system.calls.empty()) << c.name;
    else if (c.ended) EXPECT_EQ(system.calls, begun) << c.name << ": ended once, with the number it began";
    else EXPECT_EQ(system.calls, std::vector<std::string>{begun[0]}) << c.name << ": nothing to end";
  }
}

TEST(RestorePointTest, TheOptionIsOffUnlessStoredAsOne) {
  MemoryRegistry registry;
  EXPECT_FALSE(ReadRestorePointOption(registry));
  ASSERT_TRUE(WriteRestorePointOption(registry, true));
  EXPECT_TRUE(ReadRestorePointOption(registry));
  ASSERT_TRUE(WriteRestorePointOption(registry, false));
  EXPECT_FALSE(ReadRestorePointOption(registry));
}

}  // namespace
