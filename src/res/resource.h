// Resource ids of tido.exe, shared by the resource script and the program.
#pragma once

// Dialogs, icon and the embedded installer-data tool.
#define IDD_ABOUTBOX                100
#define IDD_TIDO_DIALOG             102   // the full dialog
#define IDR_MAINFRAME               128   // the program's icon
// 131 is taken by the installer-data removal tool, resource type "MSIZAP".
#define IDR_MSIZAP                  131
#define IDD_TIDO_PROGRESS           133   // -qb: the progress bar alone

// System-menu command that opens the About box (low four bits clear, as system commands need).
#define IDM_ABOUTBOX                0x0010

// Controls. The full dialog has all of them; the progress dialog carries 1011 visibly and
// IDOK, 1003, 1004, 1007 and 1008 hidden, so the same dialog code finds every control.
#define IDC_COMBO_INSTANCES         1003
#define IDC_EDIT_DETAILS            1004
#define IDC_BUTTON_RESCAN           1005
#define IDC_CHECK_DATA_FILES        1007
#define IDC_CHECK_PROGRAM_FILES     1008
#define IDC_STATIC_STATUS           1009
#define IDC_STATIC_HEADER           1010
#define IDC_PROGRESS                1011
#define IDC_CHECK_WIPE_MODE         1013

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

// String table. Ids 121, 122, 125, 128, 129, 131, 132 and 133 are unused.
#define IDS_ABOUTBOX                101   // system-menu item
#define IDS_NO_INSTALLATIONS        102
#define IDS_LABEL_VERSION           103
#define IDS_LABEL_DATE_INSTALLED    104
#define IDS_LABEL_INSTALL_LOCATION  105
#define IDS_LABEL_INSTALL_SOURCE    106
#define IDS_LABEL_LOCAL_PACKAGE     107
#define IDS_LABEL_UNINSTALL_COMMAND 108
#define IDS_LABEL_SIZE_ON_DISK      109
#define IDS_LABEL_MAJOR_VERSION     110
#define IDS_LABEL_MINOR_VERSION     111
#define IDS_LABEL_PROGRAM_LOCATION  112
#define IDS_LABEL_DATA_LOCATION     113
#define IDS_LABEL_MULTIUSER         114
#define IDS_CONFIRM_REMOVE          115   // %s three times: the display name
#define IDS_CONFIRM_DATA_DIRECTORY  116   // %s twice
#define IDS_PROCESS_RUNNING         117   // %s: the display name
#define IDS_NOT_ADMIN               118
#define IDS_REMOVAL_HEADER          119   // %s: the display name
#define IDS_HELP                    120
#define IDS_REMOVED                 123   // %s: the display name
#define IDS_FAILED_OMB              124
#define IDS_WIPE_MODE_ON            126
#define IDS_WIPE_MODE_SCOPE         127
#define IDS_WIPE_ITEMS              130
#define IDS_WIPE_PROGRAM_FILES      134
#define IDS_WIPE_DATA_FILES         135
#define IDS_WIPE_WARNING            136
#define IDS_WIPE_CONFIRM            137
#define IDS_FAILED_GORVO            138
#define IDS_WIPE_MODE_TIP           139
#define IDS_CONFIRM_MUI_PACK        140
#define IDS_PRODUCT_NOT_FOUND       141   // %s: "Corla", "TLKA" or "OLKA"
#define IDS_FAILED_TAV              142
