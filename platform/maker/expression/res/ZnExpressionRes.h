// Resource ids of the expression library.
#pragma once

#define IDD_ZN_EXPRESSION 30100

#define IDC_ZN_EXPRESSION_LABEL 30101
#define IDC_ZN_EXPRESSION 30102
#define IDC_ZN_VARIABLES_LABEL 30103
#define IDC_ZN_VARIABLES 30104
