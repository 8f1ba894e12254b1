#pragma once
// Numbers of the language files' texts that the program reads besides the
// captions of its commands and menus. Those added after the original table
// stand at the end of each file's [Messages] section, in this order, so that
// an older file keeps every number it had.
inline constexpr int kMsgTipTitle = 28;           // the tip dialog's caption
inline constexpr int kMsgTipClose = 29;           // its buttons
inline constexpr int kMsgTipNext = 30;
inline constexpr int kMsgTipHeading = 31;         // the heading above the tip
inline constexpr int kMsgTipShowAtStartup = 32;   // its check box
inline constexpr int kMsgFirstTip = 38;           // the first of ten tips

inline constexpr int kMsgIgnore = 49;             // the Ignore command
inline constexpr int kMsgIgnoredItems = 50;       // Options > Ignored items..
inline constexpr int kMsgIgnoredTitle = 51;       // the ignore list dialog's caption
inline constexpr int kMsgIgnoredKey = 52;         // its columns
inline constexpr int kMsgIgnoredValue = 53;
inline constexpr int kMsgIgnoredAdded = 54;
inline constexpr int kMsgIgnoredRemove = 55;      // its buttons
inline constexpr int kMsgIgnoredRemoveAll = 56;
inline constexpr int kMsgIgnoredStatus = 57;      // the status bar after Ignore, before the count

inline constexpr int kMsgKeyCtrl = 58;            // the words of shortcut texts
inline constexpr int kMsgKeyShift = 59;
inline constexpr int kMsgKeyDel = 60;
inline constexpr int kMsgDeletedKey = 61;         // status after a deletion: %1 the key
inline constexpr int kMsgDeletedValues = 62;      // %1 the key, %2 the values, quoted, joined by ", "
inline constexpr int kMsgNotDeleted = 63;         // %1 the key, %2 why not
inline constexpr int kMsgRefusedRootKey = 64;     // the reasons
inline constexpr int kMsgRefusedBackup = 65;
inline constexpr int kMsgRefusedByRegistry = 66;
inline constexpr int kMsgRefusedNoValue = 67;
inline constexpr int kMsgRefusedNoProblem = 68;
inline constexpr int kMsgRefusedNoValueChosen = 69;
inline constexpr int kMsgScanStopped = 70;        // the status bar after Stop: %1 the problems found
// The last number of the table.
inline constexpr int kLastMessage = kMsgScanStopped;
