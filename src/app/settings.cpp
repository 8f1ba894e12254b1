#include "app/settings.h"

#include <cstdint>

#include "platform/registry_accessor.h"
#include "scan/root_keys.h"

namespace {

constexpr int kDesignLeft = 222, kDesignTop = 207, kDesignWidth = 469, kDesignHeight = 323;

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
