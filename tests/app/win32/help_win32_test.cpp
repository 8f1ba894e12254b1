// Help › Contents and F1 open the manual in the system's HTML Help viewer.
#include <gtest/gtest.h>

#include "main_window_fixture_win32.h"
#include "support/window_test_support_win32.h"

TEST_F(MainWindowTest, HelpContentsAndF1OpenTheManual) {
  UseShippedLanguages();  // Tarnel.chm is shipped beside the program too
  NoTips();
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOW);
  form.Dispatcher().Execute(CommandId::kHelpContents);
  Settle(1500);
  HWND help = FindWindowA(nullptr, "Tarnel Help");
  ASSERT_NE(help, nullptr) << "no help window";
  EXPECT_EQ(ClassName(help), "HH Parent");
  EXPECT_TRUE(messages_.errors.empty());
  SaveScreenshot(help, "help-contents");
  SendMessageA(help, WM_CLOSE, 0, 0);
  Settle(300);

  SendMessageA(form.Handle(), WM_HELP, 0, 0);
  Settle(1500);
  help = FindWindowA(nullptr, "Tarnel Help");
  ASSERT_NE(help, nullptr) << "F1 opened no help window";
  EXPECT_EQ(WindowTitle(help), "Tarnel Help");
  SaveScreenshot(help, "help-main-window");
  EXPECT_TRUE(messages_.errors.empty());
}

// The viewer finds F1's context in the manual's map: one the manual does
// not have shows nothing.
TEST_F(MainWindowTest, TheManualMapsTheMainWindowsHelpContext) {
  UseShippedLanguages();
  HelpViewer viewer(files_.folder + TMainForm::kHelpFileName);
  EXPECT_EQ(viewer.ShowContext(nullptr, 999), nullptr);
  EXPECT_NE(viewer.ShowContext(nullptr, TMainForm::kHelpContext), nullptr);
}

TEST_F(MainWindowTest, AMissingManualIsReported) {
  NoTips();
  TMainForm& form = Open();
  form.Dispatcher().Execute(CommandId::kHelpContents);
  SendMessageA(form.Handle(), WM_HELP, 0, 0);
  const std::string error = "Cannot open help file " + files_.folder + "Tarnel.chm";
  EXPECT_EQ(messages_.errors, (std::vector<std::string>{error, error}));
}
