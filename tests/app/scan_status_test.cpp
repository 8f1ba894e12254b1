#include "app/scan_status.h"

#include <gtest/gtest.h>

#include "app/form_texts.h"
#include "lang/langv.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "scan/Errors.h"

namespace {

TEST(ScanStatus, AStoppedScanCountsTheProblemsFoundSoFarInTheInterfacesLanguage) {
  MemoryRegistry registry;
  MemoryFileSystem files;
  FormTexts form;
  TLangv english(form, registry, files);  // no language file: the built-in texts
  ResultTree results;
  EXPECT_EQ(ScanStoppedText(english, results), "Scan stopped: 0 problems found so far");
  InsertProblemPath(results, *results.Top(), "HKEY_CURRENT_USER\\A", std::make_unique<TErrorClass>("m", 1));
  InsertProblemPath(results, *results.Top(), "HKEY_CURRENT_USER\\A\\B", std::make_unique<TErrorClass>("m", 1));
  InsertProblemPath(results, *results.Top(), "HKEY_CURRENT_USER\\C", std::make_unique<TErrorClass>("m", 1));
  EXPECT_EQ(ScanStoppedText(english, results), "Scan stopped: 3 problems found so far");
}

}  // namespace
