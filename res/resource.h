// Resource numbers, commands, timers, messages and control ids of Quindlet.
// One family per prefix; values never overlap within a family.
#pragma once

// Icons
#define IDI_EFFECT_ON 102
#define IDI_EFFECT_OFF 103

// Menus
#define IDR_TRAYMENU 104

// Dialogs
#define IDD_ABOUT 101
#define IDD_OPTIONS 106
#define IDD_PAGE_BORDERS 107
#define IDD_PAGE_GENERAL 108
#define IDD_PAGE_BLOCKING 109

// Tray menu commands (40003 is not used)
#define CMD_ABOUT 40001
#define CMD_ENABLED 40002
#define CMD_EXIT 40004
#define CMD_OPTIONS 40005

// Timers of the main window
#define TIMER_WRAP 1

// Messages of the main window (the tray callback)
#define QM_TRAYCALLBACK 0x0400 /* WM_USER */

// Tray icon identifier within the main window
#define TRAY_ICON_ID 1010

// Controls of the dialogs
#define IDC_STATIC (-1) /* a control the program never addresses */
#define IDC_BORDER_LEFT 1001
#define IDC_BORDER_TOP 1002
#define IDC_BORDER_RIGHT 1003
#define IDC_BORDER_BOTTOM 1004
#define IDC_TABS 1005
#define IDC_RUN_AT_STARTUP 1006
#define IDC_BLOCKING_KEY 1007
#define IDC_LANGUAGE_LABEL 1008
#define IDC_LANGUAGE 1009
#define IDC_LANGUAGE_GROUP 1010
#define IDC_HOTKEYS_GROUP 1011
#define IDC_TOGGLE_HOTKEY_LABEL 1012
#define IDC_TOGGLE_HOTKEY 1013
#define IDC_OPTIONS_HOTKEY_LABEL 1014
#define IDC_OPTIONS_HOTKEY 1015
#define IDC_STARTUP_GROUP 1016
#define IDC_EXIT_HOTKEY_LABEL 1017
#define IDC_EXIT_HOTKEY 1018
#define IDC_BLOCKING_GROUP 1019
#define IDC_BORDERS_LABEL 1020
#define IDC_BUTTON_GATE 1021
#define IDC_USE_KEY_TO_PASS 1022
#define IDC_BUTTON_GATE_NOTE 1023
#define IDC_CORNER_GROUP 1024
#define IDC_CORNER_WIDTH_LABEL 1025
#define IDC_CORNER_WIDTH 1026
#define IDC_CORNER_HEIGHT_LABEL 1027
#define IDC_CORNER_HEIGHT 1028
#define IDC_GATING_GROUP 1029
#define IDC_BLOCKING_KEY_LABEL 1030
#define IDC_GATING_NOTE 1031
#define IDC_ABOUT_DESCRIPTION 1032
#define IDC_CORNER_NOTE 1033
#define IDC_WRAP_ACROSS_MONITORS 1034
#define IDC_CORNER_TOP_LEFT 1035
#define IDC_CORNER_TOP_RIGHT 1036
#define IDC_CORNER_BOTTOM_LEFT 1037
#define IDC_CORNER_BOTTOM_RIGHT 1038
#define IDC_CORNERS_GROUP 1039
#define IDC_PAUSE_IN_FULL_SCREEN 1040
#define IDC_WRAP_DELAY_LABEL 1041
#define IDC_WRAP_DELAY 1042

// Version
#define QUINDLET_VERSION_NUMBERS 1, 9, 77, 185
#define QUINDLET_VERSION_TEXT "1.9.77.185"
