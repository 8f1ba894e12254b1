#include "cli/buffered_output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/console_scan_view.h"
#include "cli/problem_list.h"

namespace {

// A device that shows what it is given in the order given, as one console
// shows standard output and error; each call is one write.
struct Screen {
  std::string shown;
  int writes = 0;
};

class ScreenSink : public OutputSink {
 public:
  explicit ScreenSink(Screen& screen) : screen_(screen) {}
  bool Write(const char* data, std::size_t size) override {
    if (refuse) return false;
    screen_.shown.append(data, size);
    ++screen_.writes;
    return true;
  }
  bool refuse = false;

 private:
  Screen& screen_;
};

void AddProblems(ResultTree& tree, int count) {
  for (int i = 0; i < count; ++i) {
    auto record = std::make_unique<TErrorClass>("File not found", "Path", i % 3);
    record->AddValueName("Icon");
    InsertProblemPath(tree, *tree.Top(),
                      "HKEY_LOCAL_MACHINE\\Software\\Vendor" + std::to_string(i / 50) + "\\App" + std::to_string(i),
                      std::move(record));
  }
}

// A long list, in pieces of every size around the capacity: the same bytes
// arrive, in a few full writes instead of one per piece.
TEST(BufferedOutput, PassesEveryByteOnInFullPiecesAndTheRestWhenDestroyed) {
  ResultTree tree;
  AddProblems(tree, 2000);
  std::ostringstream expected;
  WriteProblemList(tree, expected);
  ASSERT_GT(expected.str().size(), 100000u);

  Screen screen;
  ScreenSink sink(screen);
  {
    BufferedOutput buffer(sink, 4096);
    std::ostream out(&buffer);
    WriteProblemList(tree, out);
    out << std::string(5000, 'x') << std::string(4096, 'y') << 'z';
    EXPECT_LE(screen.writes, static_cast<int>(expected.str().size() / 4096) + 3);
  }
  EXPECT_EQ(screen.shown, expected.str() + std::string(5000, 'x') + std::string(4096, 'y') + "z");
}

TEST(BufferedOutput, AFlushWritesWhatIsHeldAndARefusedWriteFailsTheStream) {
  Screen screen;
  ScreenSink sink(screen);
  BufferedOutput buffer(sink);
  std::ostream out(&buffer);
  out << "first\n";
  EXPECT_EQ(screen.shown, "");
  out << std::flush;
  EXPECT_EQ(screen.shown, "first\n");
  EXPECT_EQ(screen.writes, 1);
  sink.refuse = true;
  out << "lost\n" << std::flush;
  EXPECT_TRUE(out.bad());
}

// Standard output is held back no longer than until something appears on
// error: a progress line shows below the output written before it, and a
// message at once.
TEST(ConsoleStreams, OutputIsWrittenBeforeEachProgressLineAndMessage) {
  Screen screen;
  ScreenSink out_sink(screen), err_sink(screen);
  ConsoleStreams console(out_sink, err_sink);
  ResultTree tree;
  ConsoleScanView view(tree, &console.Err());
  view.SetProgressMax(2);
  console.Out() << "listed before\n";
  view.StepProgress();
  view.SetStatusText("Classes");
  EXPECT_EQ(screen.shown, "listed before\n\r[1/2] Classes");
  console.Out() << "then more\n";
  console.Err() << "TarnelScan: a message\n";
  EXPECT_EQ(screen.shown, "listed before\n\r[1/2] Classes" "then more\n" "TarnelScan: a message\n");
  console.Out() << "held";
  EXPECT_EQ(screen.shown.find("held"), std::string::npos);
  console.Out().flush();
  EXPECT_EQ(screen.shown.substr(screen.shown.size() - 4), "held");
}

}  // namespace
