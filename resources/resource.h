// Control, command and string identifiers of the resources. Templates, the menu and the icon are
// addressed by name and have no identifier here.
#pragma once

// Main control window "IDD_QVDIALOG" (the Exit button is IDOK, 1).
#define IDC_SENSITIVITY 1006
#define IDC_SENSITIVITY_VALUE 1007
#define IDC_THRESHOLD 1008
#define IDC_THRESHOLD_VALUE 1009
#define IDC_ACCELERATION 1010
#define IDC_ACCELERATION_VALUE 1011
#define IDC_POLLING_DELAY 1012
#define IDC_POLLING_DELAY_VALUE 1013
#define IDC_ENABLE_DISABLE 1014
#define IDC_BUTTON_CONFIGURATION 1015
#define IDC_HIDE 1016
#define IDC_ABOUT 1017
#define IDC_LAUNCH_ON_STARTUP 1024
#define IDC_PROFILE_LIST 1026
#define IDC_CURRENT_PROFILE 1029
#define IDC_PROFILE_MANAGER 1031
#define IDC_JOYSTICK_SELECTOR 1038

// About dialog "IDD_ABOUT".
#define IDC_ABOUT_NOTICE 1039

// Enabling dialog "IDD_QVENABLEDLG": box IDC_ENABLE_FIRST + i stands for joystick ID i.
#define IDC_ENABLE_FIRST 1044

// Add and delete profile dialogs "IDD_ADDPROFILE", "IDD_DELPROFILE".
#define IDC_NEW_PROFILE_NAME 1030
#define IDC_DELETE_PROFILE_LIST 1063

// Button configuration dialog "IDD_QVBUTTONDLG".
#define IDC_BC_EVENT 1015
#define IDC_BC_MODIFIER 1016
#define IDC_BC_KEY 1017
#define IDC_BC_SHIFTED_MODIFIER 1018
#define IDC_BC_SHIFTED_KEY 1019
#define IDC_BC_SHIFT_BUTTON 1020
#define IDC_BC_TEXT 1022
#define IDC_BC_SHIFTED_TEXT 1023
#define IDC_BC_PROFILE_MANAGER 1025
#define IDC_BC_PROFILE_NAME 1029
#define IDC_BC_SWAP_Y 1033
#define IDC_BC_SWAP_X 1034
#define IDC_BC_PLUS_1 1040
#define IDC_BC_PLUS_2 1041
#define IDC_BC_PLUS_3 1042
#define IDC_BC_PLUS_4 1043
#define IDC_BC_MAX_CHARS 1060
#define IDC_BC_PROGRESSIVE 1062

// Commands of the popup menu "IDRPOPUP"; profile items take IDM_FIRST_PROFILE and up.
#define IDM_EXIT 40003
#define IDM_HIDE_SHOW 40005
#define IDM_ABOUT 40007
#define IDM_ENABLE_DISABLE 40008
#define IDM_ADD_PROFILE 40010
#define IDM_DELETE_PROFILE 40011
#define IDM_PAUSE 40020
#define IDM_FIRST_PROFILE 40500

// String table.
#define IDS_SHOW_MAIN_WINDOW 40001
#define IDS_SHOW_BUTTON_CONFIGURATION 40002
