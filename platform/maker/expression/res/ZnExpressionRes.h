// Resource ids of the expression library.
#pragma once

#define IDD_ZN_EXPRESSION 30100

#define IDC_ZN_EXPRESSION_LABEL 30101
#define IDC_ZN_EXPRESSION 30102
#define IDC_ZN_VARIABLES_LABEL 30103
// The variables' lines take the ids from here on, one each, in the order they were added.
#define IDC_ZN_FIRST_VARIABLE 30200
