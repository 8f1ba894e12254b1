#pragma once
// Numbers of the texts added to the language files after the original
// table: each file's [Messages] section lists them at its end, in this
// order, so that an older file keeps every number it had.
inline constexpr int kMsgIgnore = 49;             // the Ignore command
inline constexpr int kMsgIgnoredItems = 50;       // Options > Ignored items..
inline constexpr int kMsgIgnoredTitle = 51;       // the ignore list dialog's caption
inline constexpr int kMsgIgnoredKey = 52;         // its columns
inline constexpr int kMsgIgnoredValue = 53;
inline constexpr int kMsgIgnoredAdded = 54;
inline constexpr int kMsgIgnoredRemove = 55;      // its buttons
inline constexpr int kMsgIgnoredRemoveAll = 56;
inline constexpr int kMsgIgnoredStatus = 57;      // the status bar after Ignore, before the count
// The last number of the table.
inline constexpr int kLastMessage = kMsgIgnoredStatus;
