// Resource ids shared by the test resources and the prompt tests.
#pragma once

#define IDS_GREETING 100
#define IDS_ONLY_FRENCH 101
#define IDS_LONG 102
#define IDS_SURROGATE 103
#define IDS_RESOURCE_PAIR 104
#define IDD_SAMPLE 200
#define IDC_NAME 1001
#define IDC_LABEL 1002
#define IDS_OWNER 300
