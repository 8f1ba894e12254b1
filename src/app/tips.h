#pragma once
// The tip of the day: ten tips of the current language shown one after the
// other, and the setting that says whether they are offered at start-up.
#include <array>
#include <string>

class Registry;
class TLangv;

class TipCycle {
 public:
  static constexpr int kTipCount = 10;

  explicit TipCycle(const TLangv& langv);

  const std::string& Current() const { return FTips[Tag]; }
  int Index() const { return Tag; }
  // After the last tip comes the first again.
  void Next() { Tag = (Tag + 1) % kTipCount; }
  const std::string& NextCaption() const { return next_caption_; }
  const std::string& CloseCaption() const { return close_caption_; }
  // The dialog's title, the heading above the tip and the check box.
  const std::string& Title() const { return title_; }
  const std::string& Heading() const { return heading_; }
  const std::string& ShowAtStartupCaption() const { return show_at_startup_; }

 private:
  std::array<std::string, kTipCount> FTips;
  int Tag = 0;
  std::string next_caption_;
  std::string close_caption_;
  std::string title_;
  std::string heading_;
  std::string show_at_startup_;
};

// "ShowTips": true unless stored as 0.
bool ReadShowTips(Registry& registry);
// Stores "ShowTips", creating the settings key if need be: a choice made on
// the first run is kept too.
void WriteShowTips(Registry& registry, bool show);
