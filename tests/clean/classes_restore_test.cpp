// Deleting and restoring problems of a registry that behaves like 64-bit
// Windows: a backup gives every key back where it lived, the user's
// classes and the 32-bit view included.
#include <gtest/gtest.h>

#include "clean/deletion.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"
#include "support/scan_harness.h"

namespace {

TEST(ClassesRestoreTest, AUsersClassBacksUpToTheUsersClassesAndAnOtherViewsToItsView) {
  MemoryRegistry registry;
  registry.MergeClassesRoot();
  registry.SetTwoViews(true);
  ImportRegText(registry,
                "REGEDIT4\n\n"
                "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}]\n"
                "@=\"per-user class\"\n"
                "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}\\InprocServer32]\n"
                "@=\"C:\\\\Users\\\\me\\\\gone.dll\"\n"
                "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{W}\\InprocServer32]\n"
                "@=\"C:\\\\App\\\\gone32.dll\"\n");
  MemoryFileSystem files;
  QueuedUiThread ui;
  ScanHarness harness(registry, files, ui);
  harness.SetKnowledgeBase("[PATHS1]\nHKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n");
  harness.Scan();
  ASSERT_EQ(harness.view.Problems().size(), 2u);

  FixedClock clock{{2026, 12, 7, 12, 0, 0}};
  NoMail mail;
  TBuck journal(harness.view.tree, registry, files, clock, mail);
  journal.BeginBackupFile();
  ProblemDeletion deletion(harness.view.tree, registry, journal);
  EXPECT_EQ(deletion.DeleteAll([] {}).deleted.size(), 2u);
  EXPECT_EQ(registry.OpenRead(kHkeyClassesRoot, "CLSID\\{U}"), nullptr);
  EXPECT_EQ(registry.OpenRead(kHkeyClassesRoot, "Wow6432Node\\CLSID\\{W}"), nullptr);

  const std::optional<std::string> backup = files.ReadFile(journal.FileName());
  ASSERT_TRUE(backup.has_value());
  EXPECT_NE(backup->find("[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}]"), std::string::npos);
  EXPECT_NE(backup->find("[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{W}]"), std::string::npos);
  ImportRegText(registry, *backup);
  EXPECT_TRUE(registry.IsUserClassesKey("CLSID\\{U}\\InprocServer32"));
  EXPECT_EQ(registry.OpenRead(kHkeyLocalMachine, "Software\\Classes\\CLSID\\{U}"), nullptr)
      << "not created in the machine's classes";
  EXPECT_NE(registry.OpenRead(kHkeyLocalMachine, "Software\\Classes\\Wow6432Node\\CLSID\\{W}\\InprocServer32"),
            nullptr);
  EXPECT_EQ(registry.OpenRead(kHkeyLocalMachine, "Software\\Classes\\CLSID\\{W}"), nullptr);
}

}  // namespace
