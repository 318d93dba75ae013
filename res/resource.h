// Identifiers of the program's resources and commands, shared by the resource
// script and the code.
#pragma once

#define IDD_ABOUT_DIALOG 100
#define IDS_ABOUT_MENU_TEXT 101
#define IDD_MAIN_DIALOG 102
#define IDI_APP_ICON 128
#define IDI_TRAY_ICON 130
#define IDD_INSTRUCTIONS_DIALOG 131
#define IDD_PROGRESS_DIALOG 132

#define IDC_PATH 1000
#define IDC_BROWSE 1001
#define IDC_MODE_SPLIT 1002
#define IDC_MODE_MERGE 1003
#define IDC_MODE_VERIFY 1005
#define IDC_MODE_FRAME 1004
#define IDC_TARGET_FRAME 1006
#define IDC_TARGET_DIR 1007
#define IDC_BROWSE_DIR 1008
#define IDC_FILE_FRAME 1009
#define IDC_SIZE_FRAME 1010
#define IDC_TARGET_HINT 1011
#define IDC_SHOW_INSTRUCTIONS 1012
#define IDC_CREDITS_FRAME 1013
#define IDC_DESIGNER_TEXT 1015
#define IDC_HOME_LINK 1016
#define IDC_MAIL_LINK 1017
#define IDC_ABOUT_DESIGNER_TEXT 1019
#define IDC_INSTRUCTIONS_FRAME 1021
#define IDC_INSTRUCTIONS_TEXT 1022
#define IDC_SIZE_64MB 1024
#define IDC_SIZE_32MB 1025
#define IDC_SIZE_OTHER 1026
#define IDC_SIZE_OTHER_MB 1027
#define IDC_PROGRESS_FILE 1040
#define IDC_PROGRESS_BAR 1041
#define IDC_PROGRESS_BYTES 1042
#define IDC_PROGRESS_SPEED 1043
#define IDC_PROGRESS_TIME 1044

// Hidden labels that name the field after them for assistive tools.
#define IDC_PATH_LABEL 1050
#define IDC_SIZE_OTHER_MB_LABEL 1051
#define IDC_TARGET_DIR_LABEL 1052

// System-menu item and tray-menu commands.
#define IDM_ABOUT_COMMAND 0x0010
#define ID_TRAY_RESTORE 1030
#define ID_TRAY_EXIT 1031
#define ID_TRAY_ABOUT 1032

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
