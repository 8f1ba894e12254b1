#pragma once
// Numbers of the language files' texts that the program reads besides the
// captions of its commands and menus. Those added after the original table
// stand at the end of each file's [Messages] section, in this order, so that
// an older file keeps every number it had.
inline constexpr int kMsgStart = 0;              // the commands' captions
inline constexpr int kMsgStop = 1;
inline constexpr int kMsgSaveAs = 2;
inline constexpr int kMsgSend = 3;
inline constexpr int kMsgExit = 4;
inline constexpr int kMsgFileMenu = 5;           // the menus
inline constexpr int kMsgEditMenu = 6;
inline constexpr int kMsgSelectAll = 7;
inline constexpr int kMsgDelete = 8;             // read by nothing
inline constexpr int kMsgDeleteAll = 9;
inline constexpr int kMsgCopyKeyName = 10;
inline constexpr int kMsgViewMenu = 11;
inline constexpr int kMsgToolBar = 12;
inline constexpr int kMsgStatusBar = 13;
inline constexpr int kMsgAllValues = 14;
inline constexpr int kMsgOptionsMenu = 15;
inline constexpr int kMsgAutostart = 16;
inline constexpr int kMsgHelp = 17;              // the Help menu, and Help > Contents as well
inline constexpr int kMsgContents = 18;          // read by nothing: Contents takes kMsgHelp
inline constexpr int kMsgAbout = 19;
inline constexpr int kMsgLanguage = 20;          // read by nothing
inline constexpr int kMsgNameColumn = 21;        // the value list's columns
inline constexpr int kMsgDataColumn = 22;
inline constexpr int kMsgDeleteKey = 23;
inline constexpr int kMsgDeleteValue = 24;
inline constexpr int kMsgCopyOnlyName = 25;
inline constexpr int kMsgCopyName = 26;          // read by nothing
inline constexpr int kMsgCopyValue = 27;         // read by nothing
inline constexpr int kMsgTipTitle = 28;           // the tip dialog's caption
inline constexpr int kMsgTipClose = 29;           // its buttons
inline constexpr int kMsgTipNext = 30;
inline constexpr int kMsgTipHeading = 31;         // the heading above the tip
inline constexpr int kMsgTipShowAtStartup = 32;   // its check box
inline constexpr int kMsgRegEdit = 33;           // read by nothing
inline constexpr int kMsgBackup = 34;            // read by nothing
inline constexpr int kMsgVersion = 35;           // read by nothing
inline constexpr int kMsgLanguageMenu = 36;      // Options > Language..
inline constexpr int kMsgResults = 37;           // read by nothing
inline constexpr int kMsgFirstTip = 38;           // the first of ten tips
inline constexpr int kMsgRestoreBackup = 48;     // File > Restore backup..

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
inline constexpr int kMsgRefusedChanged = 70;     // the reasons of the last look before a deletion
inline constexpr int kMsgRefusedValidNow = 71;
inline constexpr int kMsgScanStopped = 72;        // the status bar after Stop: %1 the problems found
// The last number of the table.
inline constexpr int kLastMessage = kMsgScanStopped;
