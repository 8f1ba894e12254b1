#pragma once
// Runs whole scans in a test: a registry, a file system and a knowledge
// base in, the recorded window changes and the result tree out. The test's
// thread plays the UI thread.
#include <string>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/ui_thread.h"
#include "scan/verefy.h"
#include "support/recording_scan_view.h"

class ScanHarness {
 public:
  // The knowledge base is read from beside the executable unless a test
  // names another file.
  ScanHarness(Registry& registry, FileSystem& files, UiThread& ui)
      : registry_(registry), files_(files), ui_(ui),
        knowledge_base_(files.ExeFolder() + Tverefy::kKnowledgeBaseName) {}

  void SetKnowledgeBasePath(const std::string& path) { knowledge_base_ = path; }
  void SetKnowledgeBase(const std::string& ini_text);
  // Creates a scanner, prepares it and runs it to its end, completion
  // handler included.
  void Scan();
  // The same, requesting a stop from the UI thread once the scan has made
  // the given number of window changes.
  void ScanStoppingAfter(std::size_t changes);

  RecordingScanView view;
  int completions = 0;
  bool completion_on_ui_thread = true;

 private:
  void Run(std::size_t stop_after_changes);
  Registry& registry_;
  FileSystem& files_;
  UiThread& ui_;
  std::string knowledge_base_;
};
