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

inline constexpr int kMsgKeyCtrl = 49;            // the words of shortcut texts
inline constexpr int kMsgKeyShift = 50;
inline constexpr int kMsgKeyDel = 51;
inline constexpr int kMsgDeletedKey = 52;         // status after a deletion: %1 the key
inline constexpr int kMsgDeletedValues = 53;      // %1 the key, %2 the values, quoted, joined by ", "
inline constexpr int kMsgNotDeleted = 54;         // %1 the key, %2 why not
inline constexpr int kMsgRefusedRootKey = 55;     // the reasons
inline constexpr int kMsgRefusedBackup = 56;
inline constexpr int kMsgRefusedByRegistry = 57;
inline constexpr int kMsgRefusedNoValue = 58;
inline constexpr int kMsgRefusedNoProblem = 59;
inline constexpr int kMsgRefusedNoValueChosen = 60;
// The last number of the table.
inline constexpr int kLastMessage = kMsgRefusedNoValueChosen;
