#pragma once
// Resource numbers, shared by Tarnel.rc and the code that loads them.

#define IDI_TARNEL 1

// Tree and list pictures, in image-list order.
#define IDI_NODE_FOLDER 101
#define IDI_NODE_FOLDER_OPEN 102
#define IDI_NODE_BINARY 103
#define IDI_NODE_TEXT 104
#define IDI_NODE_COMPUTER 105

// Tool-bar pictures, in the order of the Picture enumeration.
#define IDI_TOOL_START 201
#define IDI_TOOL_STOP 202
#define IDI_TOOL_SAVE 203
#define IDI_TOOL_SEND 204
#define IDI_TOOL_DELETE 205
#define IDI_TOOL_REGEDIT 206
#define IDI_TOOL_ALLVALUES 207

#define IDB_ABOUT 301

#define IDD_ABOUT 401
#define IDC_ABOUT_PANEL 411
#define IDC_ABOUT_ICON 412
#define IDC_ABOUT_PRODUCT 413
#define IDC_ABOUT_VERSION 414
#define IDC_ABOUT_FILE_VERSION 415
#define IDC_ABOUT_NOTICE 416
#define IDC_ABOUT_COMMENTS 417
#define IDC_ABOUT_MAIL 418
#define IDC_ABOUT_WEB 419

// The About box's link texts.
#define TARNEL_MAIL_LINK "mailto:team@tarnel.example"
#define TARNEL_WEB_LINK "https://tarnel.example/"

#define IDB_TIP 302

#define IDD_TIPS 501
#define IDC_TIPS_IMAGE 511
#define IDC_TIPS_TITLE 512
#define IDC_TIPS_TEXT 513
#define IDC_TIPS_SHOW 514
#define IDC_TIPS_NEXT 515

#define IDD_IGNORED 601
#define IDC_IGNORED_LIST 611
#define IDC_IGNORED_REMOVE 612
#define IDC_IGNORED_REMOVE_ALL 613

#define IDD_BACKUPS 701
#define IDC_BACKUPS_LABEL 710
#define IDC_BACKUPS_LIST 711
#define IDC_BACKUPS_RESTORE 712
#define IDC_BACKUPS_SHOW 713
#define IDC_BACKUPS_VIEW 714
#define IDC_BACKUPS_DELETE 715
#define IDC_BACKUPS_REMOVE 716
