#pragma once
// Where the program keeps its settings: values of this key below
// HKEY_CURRENT_USER, read and written by the window, the languages and the
// tip of the day.
inline constexpr const char* kSettingsKey = "Software\\Vexa\\Quellin";
