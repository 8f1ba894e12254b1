#pragma once
// Scans against the in-memory registry and file system, with the registry
// given as REGEDIT4 lines and the knowledge base as PATHS1 lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "regtext/regedit4_reader.h"
#include "support/scan_harness.h"

class ScanFixture : public testing::Test {
 protected:
  void SetRegistry(const std::string& lines) { ImportRegText(registry, "REGEDIT4\n\n" + lines); }
  std::vector<std::string> ScanWith(const std::string& entries) {
    harness.SetKnowledgeBase("[PATHS1]\n" + entries);
    harness.Scan();
    return harness.view.Problems();
  }
  const std::vector<std::string>& Calls() const { return harness.view.calls; }

  MemoryRegistry registry;
  MemoryFileSystem files;
  QueuedUiThread ui;
  ScanHarness harness{registry, files, ui};
};
