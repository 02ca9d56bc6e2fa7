// Placeholder ids until the resource script lands (replaced by the full header).
#pragma once
#define IDR_MAINFRAME 128
#define IDC_INSTANCES 1003
#define IDC_DETAILS 1004
#define IDC_PROGRESS 1011
#define IDD_TIDO_DIALOG 102
#define IDD_TIDO_PROGRESS 133
#define IDS_NON_ADMIN 118
#define IDS_HELP 120
