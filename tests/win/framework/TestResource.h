// Identifiers of the framework tests' dialog templates and strings.
#pragma once

#define IDD_TEST 100
#define IDD_SMALL 101
#define IDD_TEXTS 102

#define IDS_TEXTS 200
#define IDS_MISSING 299

#define IDC_EDIT 1000
#define IDC_TEXT_A 1001
#define IDC_TEXT_B 1002
#define IDC_BUTTON_A 1003
#define IDC_BUTTON_B 1004
#define IDC_MISSING 1099
