// Resource ids shared by the test module's resource script and the tests.
#pragma once

#define IDS_HELLO 1
#define IDS_ONLY_FRENCH 2
#define IDS_IN_SECOND_BLOCK 17
#define IDS_ENGLISH_ONLY 18
#define IDD_SETTINGS 100
#define IDD_CLASSIC 101
#define IDB_LOGO 200
#define IDC_ENABLE 1001
#define IDC_NAME 1002
