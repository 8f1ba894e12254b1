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
inline constexpr int kMsgBackups = 70;            // File > Backups..
inline constexpr int kMsgUndoDelete = 71;         // Edit > Undo Delete
inline constexpr int kMsgRestorePointOption = 72; // Options > Create a restore point before Delete All
inline constexpr int kMsgBackupsTitle = 73;       // the restore center's caption
inline constexpr int kMsgBackupsDate = 74;        // its columns
inline constexpr int kMsgBackupsMadeBy = 75;
inline constexpr int kMsgBackupsProblems = 76;
inline constexpr int kMsgBackupsKeys = 77;
inline constexpr int kMsgBackupsValues = 78;
inline constexpr int kMsgBackupsSize = 79;
inline constexpr int kMsgBackupsFolder = 80;
inline constexpr int kMsgBackupsState = 81;
inline constexpr int kMsgBackupsRestore = 82;     // its buttons
inline constexpr int kMsgBackupsShowInFolder = 83;
inline constexpr int kMsgBackupsView = 84;
inline constexpr int kMsgBackupsDeleteFile = 85;
inline constexpr int kMsgBackupsRemove = 86;
inline constexpr int kMsgBackupStateIntact = 87;  // the states of a backup file
inline constexpr int kMsgBackupStateCutShort = 88;
inline constexpr int kMsgBackupStateUnsealed = 89;
inline constexpr int kMsgBackupStateGone = 90;
inline constexpr int kMsgBackupNotRecorded = 91;  // "made by" of a file the history lacks
inline constexpr int kMsgBackupsFile = 92;        // the file name column
// The last number of the table.
inline constexpr int kLastMessage = kMsgBackupsFile;
