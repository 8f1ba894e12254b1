#pragma once
// The numbers of the language files' texts that the program reads besides
// the captions of its commands and menus: the tip dialog's, the words of
// shortcut keys, and the status bar's reports of deletions. Texts added to
// the language files go at the end of [Messages], in this order.
namespace message_number {

inline constexpr int kTipTitle = 28;
inline constexpr int kTipClose = 29;
inline constexpr int kTipNext = 30;
inline constexpr int kTipHeading = 31;
inline constexpr int kTipShowAtStartup = 32;
inline constexpr int kFirstTip = 38;

inline constexpr int kKeyCtrl = 49;
inline constexpr int kKeyShift = 50;
inline constexpr int kKeyDel = 51;
// %1 the key.
inline constexpr int kDeletedKey = 52;
// %1 the key, %2 the values' names, quoted, joined by ", ".
inline constexpr int kDeletedValues = 53;
// %1 the key, %2 why not.
inline constexpr int kNotDeleted = 54;
inline constexpr int kRefusedRootKey = 55;
inline constexpr int kRefusedBackup = 56;
inline constexpr int kRefusedByRegistry = 57;
inline constexpr int kRefusedNoValue = 58;
inline constexpr int kRefusedNoProblem = 59;
inline constexpr int kRefusedNoValueChosen = 60;

}  // namespace message_number
