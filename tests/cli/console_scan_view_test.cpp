#include "cli/console_scan_view.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(ConsoleScanView, ShowsCountAndDescriptionOnOneLineAndClearsItAtTheEnd) {
  std::ostringstream progress;
  ResultTree tree;
  ConsoleScanView view(tree, &progress);
  view.SetProgressMax(2);
  view.SetProgressPosition(0);
  view.StepProgress();
  view.SetStatusText("A long description");
  view.StepProgress();
  view.SetStatusText("Short");
  view.SetProgressPosition(0);
  EXPECT_EQ(progress.str(),
            "\r[1/2] A long description"
            "\r[2/2] Short             "
            "\r                        \r");
}

TEST(ConsoleScanView, WithoutAStreamShowsNothingButKeepsTheResults) {
  ResultTree tree;
  ConsoleScanView view(tree, nullptr);
  view.SetStatusText("x");
  view.InsertProblem("HKEY_USERS\\a", std::make_unique<TErrorClass>("File not found", 0));
  EXPECT_EQ(view.tree.NodeCount(), 3u);
}

}  // namespace
