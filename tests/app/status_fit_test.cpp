#include "app/status_fit.h"

#include <gtest/gtest.h>

namespace {

std::function<bool(const std::u16string&)> AtMost(std::size_t characters) {
  return [characters](const std::u16string& text) { return text.size() <= characters; };
}

TEST(StatusFit, TheKeyPathGivesUpItsMiddleAndTheSentenceStaysWhole) {
  const std::u16string deleted = u"Deleted the key HKEY_CURRENT_USER\\Software\\VeryLongApplicationName\\Settings";
  EXPECT_EQ(FitStatusText(deleted, AtMost(200)), deleted) << "what fits stays as it is";
  const std::u16string fitted = FitStatusText(deleted, AtMost(50));
  EXPECT_EQ(fitted.size(), 50u) << "as little dropped as fitting takes";
  EXPECT_EQ(fitted, u"Deleted the key HKEY_CURRENT_USE...onName\\Settings");

  const std::u16string refused =
      u"Not deleted: HKEY_CLASSES_ROOT\\CLSID\\{0000-1111}\\InprocServer32\\CurVer: it is on the ignore list";
  const std::u16string short_refusal = FitStatusText(refused, AtMost(70));
  EXPECT_EQ(short_refusal.rfind(u"Not deleted: HKEY_CL", 0), 0u);
  EXPECT_NE(short_refusal.find(u"...erver32\\CurVer: it is on the ignore list"), std::u16string::npos)
      << "the reason after the path stays whole";
  EXPECT_EQ(short_refusal.size(), 70u);
}

TEST(StatusFit, WithoutAPathOrRoomForOneTheTextComesBackForTheDrawingToCut) {
  const std::u16string plain = u"Ignored: 12345678";
  EXPECT_EQ(FitStatusText(plain, AtMost(5)), plain);
  EXPECT_EQ(FitStatusText(u"Deleted the key HKEY_X\\Y", AtMost(10)), u"Deleted the key ...")
      << "nothing of the path left but the dots";
}

}  // namespace
