// Resource ids of the IDE. Vorn.rc and the files it includes share this one list.
#pragma once

// ---- Editor ------------------------------------------------------------------

// The navigation strip above each editor: the file's tables and the chosen table's
// functions.
#define IDD_NAVIGATION_BAR              151
#define IDC_NAV_TABLES                  1054
#define IDC_NAV_FUNCTIONS               1056
