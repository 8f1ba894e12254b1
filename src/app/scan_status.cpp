#include "app/scan_status.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"

std::string ScanStoppedText(const TLangv& texts, const ResultTree& results) {
  int problems = 0;
  ForEachProblem(*results.Top(), [&](const ResultNode&) { ++problems; });
  return FillIn(texts.GetMsg(kMsgScanStopped), {std::to_string(problems)});
}
