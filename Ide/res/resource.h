// Resource ids of the IDE. Vorn.rc and the files it includes share this one list.
#pragma once

// ---- Editor ------------------------------------------------------------------

// File > Export: "As XML...", "As PDF...", "As HTML...", "As RTF..." of the editor view.
#define ID_EXPORT_XML                   33072
#define ID_EXPORT_PDF                   33073
#define ID_EXPORT_HTML                  33074
#define ID_EXPORT_RTF                   33075

// The navigation strip above each editor: the file's tables and the chosen table's
// functions.
#define IDD_NAVIGATION_BAR              151
#define IDC_NAV_TABLES                  1054
#define IDC_NAV_FUNCTIONS               1056
