// Identifiers of the framework tests' dialog templates.
#pragma once

#define IDD_TEST 100
#define IDD_SMALL 101

#define IDC_EDIT 1000
#define IDC_TEXT_A 1001
#define IDC_TEXT_B 1002
#define IDC_BUTTON_A 1003
#define IDC_BUTTON_B 1004
#define IDC_MISSING 1099
