// Ids of the dialog test module's resources, shared by the tests that show its dialogs.
#pragma once

#define IDD_OPTIONS 300
#define IDC_HELP_BUTTON 1101
#define IDC_PICTURE 1102
#define IDC_AUTO_CHECK 1103
#define IDC_NAME 1104
#define IDC_COUNT 1105
#define IDC_LABEL 1106
#define IDC_DISABLED 1107
#define IDB_PICTURE 310

#define IDD_LIST 301
#define IDC_LIST_EDIT 1201
#define IDC_LIST 1202
#define IDC_SORTED_LIST 1203
#define IDD_SEGOE 302
