#pragma once
// Runs whole scans in a test: a registry, a file system and a knowledge
// base in, the recorded window changes and the result tree out. The test's
// thread plays the UI thread.
#include <string>

#include "platform/files.h"
#include "platform/queued_ui_thread.h"
#include "platform/registry.h"
#include "scan/verefy.h"
#include "support/recording_scan_view.h"

class ScanHarness {
 public:
  ScanHarness(Registry& registry, FileSystem& files) : registry_(registry), files_(files) {}

  // Writes the knowledge base beside the executable.
  void SetKnowledgeBase(const std::string& ini_text);
  // Creates a scanner, prepares it and runs it to its end, completion
  // handler included.
  void Scan();
  // Runs a scan and requests a stop from the UI thread once the given
  // number of window changes has been made.
  void ScanStoppingAfter(std::size_t changes);

  RecordingScanView view;
  int completions = 0;

 private:
  void Run(std::size_t stop_after_changes);
  Registry& registry_;
  FileSystem& files_;
  QueuedUiThread ui_;
};
