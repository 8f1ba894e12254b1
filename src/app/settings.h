#pragma once
// The main window's settings: values of the key kSettingsKey below
// HKEY_CURRENT_USER, read once when the window is created and written once
// when it is destroyed.
#include <optional>

#include "app/geometry.h"
#include "platform/registry.h"
#include "platform/settings_key.h"

struct MainSettings {
  bool tool_bar = true;    // "ToolBar2"
  bool status_bar = true;  // "StatusBar2"
  bool all_values = true;  // "AllValues"
  bool auto_start = false; // "AutoStart"
  // "Left", "Top", "Width", "Height" as a rectangle; none: the design geometry.
  std::optional<Rect> bounds;
  int tree_width = 241;  // "TrVWidth"
  int name_width = 100;  // "LVWidth", high 16 bits
  int data_width = 300;  // "LVWidth", low 16 bits
  bool operator==(const MainSettings&) const = default;
};

// What the window is with no settings stored, at the screen's resolution.
MainSettings DesignSettings(const DesignScale& scale);
// The design window rectangle, at the screen's resolution.
Rect DesignBounds(const DesignScale& scale);
// The window as it first opens, before any position is stored, on a screen
// with that work area: centred at two thirds of the work area's width and
// height, never smaller than the design size nor larger than the work area;
// the tree 40 % of its width, the Name column 100 pixels at 96 dpi (wide
// enough for the usual value names), the Data column the rest of the list.
MainSettings FirstRunSettings(const DesignScale& scale, const Rect& work_area);

// Reads the stored values over the settings, in the order the window takes
// them; a value that is absent keeps what the settings hold, and the
// position only counts when all four of its values exist. A missing key is
// no error. Throws RegistryError at a value that is not a 32-bit number:
// the values read before it have been taken, the rest have not.
void ReadSettings(Registry& registry, MainSettings& settings);

// Stores the settings, creating the key; the position and size only when
// the window is in its normal state. False when the key cannot be opened.
bool WriteSettings(Registry& registry, const MainSettings& settings, bool normal_window);
