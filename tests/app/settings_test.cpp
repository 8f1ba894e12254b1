// The settings table on every registry kind: what is read, in which order,
// what is written and when.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "platform/root_keys.h"
#include "support/test_registries.h"

namespace {

class SettingsTest : public testing::TestWithParam<TestRegistryKind> {
 protected:
  void SetUp() override { registry_ = GetParam().make(); }

  void Store(const char* name, std::int32_t number) {
    RegistryAccessor reg(*registry_, kHkeyCurrentUser);
    ASSERT_TRUE(reg.OpenKeyWrite(kSettingsKey));
    ASSERT_TRUE(reg.WriteInteger(name, number));
  }
  void StoreText(const char* name, const std::string& text) {
    auto key = registry_->OpenWrite(kHkeyCurrentUser, kSettingsKey);
    ASSERT_TRUE(key->SetValue(name, {kRegSz, std::vector<std::uint8_t>(text.begin(), text.end() + 1)}));
  }
  std::optional<std::int32_t> Stored(const char* name) {
    RegistryAccessor reg(*registry_, kHkeyCurrentUser);
    if (!reg.OpenKeyReadOnly(kSettingsKey) || !reg.ValueExists(name)) return std::nullopt;
    return reg.ReadInteger(name);
  }
  MainSettings Read() {
    MainSettings settings = DesignSettings(DesignScale(120));
    ReadSettings(*registry_, settings);
    return settings;
  }

  std::unique_ptr<Registry> registry_;
};

TEST_P(SettingsTest, WithoutAKeyEverySettingKeepsItsDesignValue) {
  const MainSettings settings = Read();
  EXPECT_EQ(settings, MainSettings{});
  EXPECT_TRUE(settings.tool_bar && settings.status_bar && settings.all_values);
  EXPECT_FALSE(settings.auto_start);
  EXPECT_FALSE(settings.bounds);
  EXPECT_EQ(settings.tree_width, 241);
  EXPECT_EQ(settings.name_width, 100);
  EXPECT_EQ(settings.data_width, 300);
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, kSettingsKey), nullptr) << "reading created the key";
}

TEST_P(SettingsTest, StoredValuesAreTakenAndTheColumnsUnpacked) {
  Store("ToolBar2", 0);
  Store("StatusBar2", 0);
  Store("AllValues", 0);
  Store("AutoStart", 5);  // any non-zero number is on
  Store("Top", 10);
  Store("Left", 20);
  Store("Width", 600);
  Store("Height", 400);
  Store("TrVWidth", 180);
  Store("LVWidth", 7864570);
  const MainSettings settings = Read();
  EXPECT_FALSE(settings.tool_bar || settings.status_bar || settings.all_values);
  EXPECT_TRUE(settings.auto_start);
  EXPECT_EQ(settings.bounds, (Rect{20, 10, 620, 410}));
  EXPECT_EQ(settings.tree_width, 180);
  EXPECT_EQ(settings.name_width, 120);
  EXPECT_EQ(settings.data_width, 250);
}

TEST_P(SettingsTest, ThePositionCountsOnlyWhenAllFourValuesExist) {
  Store("Top", 10);
  Store("Left", 20);
  Store("Width", 600);
  EXPECT_FALSE(Read().bounds);
}

TEST_P(SettingsTest, AValueOfTheWrongTypeStopsTheReadingThere) {
  Store("ToolBar2", 0);
  StoreText("AllValues", "1");
  Store("AutoStart", 1);
  Store("TrVWidth", 99);
  MainSettings settings = DesignSettings(DesignScale(120));
  try {
    ReadSettings(*registry_, settings);
    ADD_FAILURE() << "a text read as a number";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'AllValues'");
  }
  EXPECT_FALSE(settings.tool_bar) << "read before the fault";
  EXPECT_FALSE(settings.auto_start) << "read after the fault";
  EXPECT_EQ(settings.tree_width, 241);
}

TEST_P(SettingsTest, WritingCreatesTheKeyAndSkipsTheGeometryOfAMaximisedWindow) {
  MainSettings settings;
  settings.status_bar = false;
  settings.bounds = Rect{30, 40, 530, 340};
  settings.name_width = 120;
  settings.data_width = 250;
  ASSERT_TRUE(WriteSettings(*registry_, settings, true));
  EXPECT_EQ(Stored("ToolBar2"), 1);
  EXPECT_EQ(Stored("StatusBar2"), 0);
  EXPECT_EQ(Stored("Left"), 30);
  EXPECT_EQ(Stored("Height"), 300);
  EXPECT_EQ(Stored("LVWidth"), 7864570);
  EXPECT_EQ(Read(), settings);

  settings.bounds = Rect{0, 0, 1280, 800};
  settings.tree_width = 300;
  ASSERT_TRUE(WriteSettings(*registry_, settings, false));
  EXPECT_EQ(Stored("Left"), 30) << "an earlier run's geometry stays";
  EXPECT_EQ(Stored("Width"), 500);
  EXPECT_EQ(Stored("TrVWidth"), 300);
}

INSTANTIATE_TEST_SUITE_P(Each, SettingsTest, testing::ValuesIn(TestRegistryKinds()), TestRegistryKindName);

TEST(DesignSettings, ScaleFromTheDesignResolution) {
  EXPECT_EQ(DesignBounds(DesignScale(120)), (Rect{222, 207, 222 + 469, 207 + 323}));
  EXPECT_EQ(DesignBounds(DesignScale(96)), (Rect{178, 166, 178 + 375, 166 + 258}));
  const MainSettings small = DesignSettings(DesignScale(96));
  EXPECT_EQ(small.tree_width, 193);
  EXPECT_EQ(small.name_width, 80);
  EXPECT_EQ(small.data_width, 240);
  EXPECT_EQ(DesignScale(0).Dpi(), 120) << "an unknown resolution is the design's";
}

TEST(FirstRunSettings, CentredAtTwoThirdsOfTheWorkAreaWithRoomForTheTreeAndTheNames) {
  const MainSettings full_hd = FirstRunSettings(DesignScale(96), {0, 0, 1920, 1040});
  EXPECT_EQ(full_hd.bounds, (Rect{320, 173, 1600, 866}));
  EXPECT_EQ(full_hd.tree_width, 512) << "40 %";
  EXPECT_EQ(full_hd.name_width, 100);
  EXPECT_EQ(full_hd.data_width, 1280 - 512 - 100 - 40);
  EXPECT_TRUE(full_hd.tool_bar && full_hd.status_bar && full_hd.all_values && !full_hd.auto_start);

  // A second monitor to the right, at 144 dpi.
  const MainSettings sharp = FirstRunSettings(DesignScale(144), {1920, 0, 1920 + 3840, 2100});
  EXPECT_EQ(sharp.bounds, (Rect{1920 + 640, 350, 1920 + 3200, 1750}));
  EXPECT_EQ(sharp.name_width, 150);

  // Two thirds of a small work area would be smaller than the design.
  const Rect design = DesignBounds(DesignScale(96));
  EXPECT_EQ(FirstRunSettings(DesignScale(96), {0, 0, 540, 380}).bounds,
            (Rect{82, 61, 82 + design.Width(), 61 + design.Height()}));
  EXPECT_EQ(FirstRunSettings(DesignScale(96), {0, 0, 540, 380}).data_width, 240) << "never below the design";
  // And the work area itself smaller still.
  EXPECT_EQ(FirstRunSettings(DesignScale(96), {10, 20, 310, 220}).bounds, (Rect{10, 20, 310, 220}));
}

}  // namespace
