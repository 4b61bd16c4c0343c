#ifndef SCIEDIT_UI_WIN32_RESOURCES_H
#define SCIEDIT_UI_WIN32_RESOURCES_H
/* Resources only the Windows front end has: the help window, which stands in
   for the help viewer Windows no longer ships. */

#define IDD_HELP 103
#define IDC_HELP_TEXT 1100

#endif
