#include "app/settings.h"

#include <algorithm>
#include <cstdint>

#include "platform/registry_accessor.h"
#include "platform/root_keys.h"

namespace {

constexpr int kDesignLeft = 222, kDesignTop = 207, kDesignWidth = 469, kDesignHeight = 323;
constexpr int kFirstNameColumn96 = 100;
constexpr int kFirstChrome96 = 40;

void ReadFlag(RegistryAccessor& reg, const char* name, bool& flag) {
  if (reg.ValueExists(name)) flag = reg.ReadInteger(name) != 0;
}

void ReadNumber(RegistryAccessor& reg, const char* name, int& number) {
  if (reg.ValueExists(name)) number = reg.ReadInteger(name);
}

void ReadSettingsFromOpenKey(RegistryAccessor& reg, MainSettings& settings) {
  ReadFlag(reg, "ToolBar2", settings.tool_bar);
  ReadFlag(reg, "StatusBar2", settings.status_bar);
  ReadFlag(reg, "AllValues", settings.all_values);
  ReadFlag(reg, "AutoStart", settings.auto_start);
  if (reg.ValueExists("Top") && reg.ValueExists("Left") && reg.ValueExists("Width") && reg.ValueExists("Height")) {
    const int top = reg.ReadInteger("Top");
    const int left = reg.ReadInteger("Left");
    const int width = reg.ReadInteger("Width");
    const int height = reg.ReadInteger("Height");
    settings.bounds = Rect{left, top, left + width, top + height};
  }
  ReadNumber(reg, "TrVWidth", settings.tree_width);
  if (reg.ValueExists("LVWidth")) {
    const auto packed = static_cast<std::uint32_t>(reg.ReadInteger("LVWidth"));
    settings.name_width = static_cast<int>(packed >> 16);
    settings.data_width = static_cast<int>(packed & 0xFFFFu);
  }
}

}  // namespace

Rect DesignBounds(const DesignScale& scale) {
  const int left = scale(kDesignLeft), top = scale(kDesignTop);
  return {left, top, left + scale(kDesignWidth), top + scale(kDesignHeight)};
}

MainSettings DesignSettings(const DesignScale& scale) {
  MainSettings settings;
  settings.tree_width = scale(settings.tree_width);
  settings.name_width = scale(settings.name_width);
  settings.data_width = scale(settings.data_width);
  return settings;
}

MainSettings FirstRunSettings(const DesignScale& scale, const Rect& work_area) {
  MainSettings settings = DesignSettings(scale);
  const Rect design = DesignBounds(scale);
  const int width = std::min(std::max(work_area.Width() * 2 / 3, design.Width()), work_area.Width());
  const int height = std::min(std::max(work_area.Height() * 2 / 3, design.Height()), work_area.Height());
  const int left = work_area.left + (work_area.Width() - width) / 2;
  const int top = work_area.top + (work_area.Height() - height) / 2;
  settings.bounds = Rect{left, top, left + width, top + height};
  settings.tree_width = width * 2 / 5;
  settings.name_width = (kFirstNameColumn96 * scale.Dpi() + 48) / 96;
  // The window's frame, the splitter and the list's scroll bar take about this.
  const int chrome = (kFirstChrome96 * scale.Dpi() + 48) / 96;
  settings.data_width = std::max(settings.data_width, width - settings.tree_width - settings.name_width - chrome);
  return settings;
}

void ReadSettings(Registry& registry, MainSettings& settings) {
  RegistryAccessor reg(registry, kHkeyCurrentUser);
  if (reg.OpenKeyReadOnly(kSettingsKey)) ReadSettingsFromOpenKey(reg, settings);
}

bool WriteSettings(Registry& registry, const MainSettings& settings, bool normal_window) {
  RegistryAccessor reg(registry, kHkeyCurrentUser);
  if (!reg.OpenKeyWrite(kSettingsKey)) return false;
  reg.WriteInteger("ToolBar2", settings.tool_bar);
  reg.WriteInteger("StatusBar2", settings.status_bar);
  reg.WriteInteger("AllValues", settings.all_values);
  reg.WriteInteger("AutoStart", settings.auto_start);
  if (normal_window && settings.bounds) {
    reg.WriteInteger("Top", settings.bounds->top);
    reg.WriteInteger("Left", settings.bounds->left);
    reg.WriteInteger("Width", settings.bounds->Width());
    reg.WriteInteger("Height", settings.bounds->Height());
  }
  reg.WriteInteger("TrVWidth", settings.tree_width);
  const std::uint32_t packed = (static_cast<std::uint32_t>(settings.name_width) << 16) |
                               (static_cast<std::uint32_t>(settings.data_width) & 0xFFFFu);
  reg.WriteInteger("LVWidth", static_cast<std::int32_t>(packed));
  return true;
}
