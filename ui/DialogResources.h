#ifndef SCIEDIT_UI_DIALOG_RESOURCES_H
#define SCIEDIT_UI_DIALOG_RESOURCES_H
/* The numbers and texts that the dialog templates, the resource compiler and
   both front ends share. Only preprocessor definitions outside the C++ part,
   so that a .rc file can include this header. */

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SERVERLIST_DIALOG 102
#define IDR_MAINFRAME 128

/* A multiple of 16 below 0xF000: the system menu masks the low four bits. */
#define IDM_ABOUTBOX 0x0010

#define IDC_OPEN 1000
#define IDC_SAVE 1001
#define IDC_COPY 1002
#define IDC_PASTE 1003
#define IDC_DELETE 1004
#define IDC_SERVER 1025
#define IDC_PORT 1026
#define IDC_SERVER_CONFIRM 1027
#define IDC_PORT_CONFIRM 1028
#define IDC_KEY 1029
#define IDC_USER_NAME 1030
#define IDC_PASSWORD 1031
#define IDC_PASSWORD_CONFIRM 1032
#define IDC_POSITION 1033
#define IDC_SPIN 1034
#define IDC_INFO 1035
/* The cancel command's id, IDCANCEL. */
#define IDC_EXIT 2

#define SCIEDIT_DIALOG_CAPTION "Marlix V1.3"
#define SCIEDIT_ABOUT_CAPTION "About VANTO"
#define SCIEDIT_ABOUT_MENU_TEXT "&About VANTO..."
#define SCIEDIT_ABOUT_VERSION_TEXT "Marlix Version 1.5"
#define SCIEDIT_VERSION_STRING "V1.5"
#define SCIEDIT_ABOUT_NOTICE_TEXT "Server list editor for VANTO devices"

/* Labels and button texts of the server list template. */
#define SCIEDIT_TEXT_SERVER_GROUP "Server"
#define SCIEDIT_TEXT_SERVER "IP / URL"
#define SCIEDIT_TEXT_CONFIRM "*confirm"
#define SCIEDIT_TEXT_PORT "TCP &Port"
#define SCIEDIT_TEXT_KEY "DES Key"
#define SCIEDIT_TEXT_USER_GROUP "User"
#define SCIEDIT_TEXT_USER_NAME "Name"
#define SCIEDIT_TEXT_PASSWORD "Password"
#define SCIEDIT_TEXT_PASSWORD_CONFIRM "*password confirm"
#define SCIEDIT_TEXT_POSITION "Server List Item:"
#define SCIEDIT_TEXT_INFO "Info:"
#define SCIEDIT_TEXT_SPIN "Spin1"
#define SCIEDIT_TEXT_OPEN "&Open..."
#define SCIEDIT_TEXT_SAVE "&Save..."
#define SCIEDIT_TEXT_COPY "&Copy"
#define SCIEDIT_TEXT_PASTE "&Paste"
#define SCIEDIT_TEXT_DELETE "&Delete"
#define SCIEDIT_TEXT_EXIT "&Exit"

#if !defined(RC_INVOKED)
namespace sci {
using ControlId = int;
}  // namespace sci
#endif

#endif
