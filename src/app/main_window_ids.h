#pragma once
// Control and command ids of frmMain. Plain macros so that resource scripts and small
// test tools can share them.
#define IDC_PICTURE1 1000
#define IDC_LBL_PERCENT 1001
#define IDC_PG_BATTERY_LEVEL 1002
#define IDC_LBL_ZERO 1003
#define IDC_LBL_PWR_INFO 1004
#define IDC_LABEL1 1005
#define IDC_LBL_TIME 1006
#define IDC_LINE1 1007
#define IDC_LABEL6 1008
#define IDC_FM_BATTERY_LIFE_BAR 1009
#define IDC_FM_POWER_STATUS 1010
#define IDC_TAB_MAIN 1011
#define IDC_LBL_BATTERY_NOW 1012

#define IDC_FM_ALERT_OCC 1020
#define IDC_CHK_START_CHARGING 1021
#define IDC_CHK_END_CHARGING 1022
#define IDC_CHK_CHARGE_LOW 1023
#define IDC_TXT_CHARGE_ALERT 1024
#define IDC_LABEL2 1025
#define IDC_LABEL3 1026
#define IDC_LABEL4 1027
#define IDC_LBL_CHARGE_PERCENT 1028
#define IDC_TXT_SND_FILE0 1030 /* 1030..1032 */
#define IDC_BTN_BROWSE0 1035   /* 1035..1037 */

#define IDC_FM_OTHER 1040
#define IDC_CHK_ON_TOP 1041
#define IDC_FM_APPLICATION_STARTUP 1042
#define IDC_CHK_STARTUP 1043
#define IDC_FM_TRAY_CARE 1044
#define IDC_CHK_TRAY_CHARGE 1045
#define IDC_CHK_CARE_ON 1046
#define IDC_TXT_CARE_VAL 1047
#define IDC_LBL_CARE_PERCENT 1048

/* The menu bar (a MENU resource); its entries: the tray command number plus this base. */
#define IDR_MAIN_MENU 100
#define IDM_TRAY_COMMAND_BASE 2000
#define IDM_HELP (IDM_TRAY_COMMAND_BASE + 2)
#define IDM_WEBSITE (IDM_TRAY_COMMAND_BASE + 3)
#define IDM_ABOUT (IDM_TRAY_COMMAND_BASE + 4)
#define IDM_QUIT (IDM_TRAY_COMMAND_BASE + 6)

#define CORVANE_MAIN_CLASS "CorvaneMain"

/* The bar colour menu's entries, by colour index (0 Blue .. 4 Gold). */
#define IDM_PGB_COLOUR0 2100

/* The History page's controls: 1200..1206, on the page's own window. */
#define IDC_HISTORY_FIRST 1200
