// Resource ids of the framework's window tests.
#pragma once

#define IDR_MAINFRAME        128
#define IDR_DOCMENU          129
#define IDR_TESTBAR          128
#define IDR_HOTLIST          215
#define IDR_CONTEXT          150
#define IDR_RECENTFILES      151
#define IDR_NOTOOLBAR        400
// Toolbar resources a damaged or hostile module could hold.
#define IDR_BADBAR_VERSION   410
#define IDR_BADBAR_SHORT     411
#define IDR_BADBAR_WIDE      412
#define IDR_BADBAR_FLAT      413
#define IDR_LONGBAR          414
#define IDR_BAR40            415

#define ID_TEST_ALPHA        33001
#define ID_TEST_BETA         33002
#define ID_TEST_GAMMA        33003
#define ID_TEST_DELTA        33004
#define ID_TEST_HOTLIST      33117
#define ID_HOTLIST_ADD       33120
#define ID_HOTLIST_MANAGE    33114
#define ID_CONTEXT_FIRST     33200
#define ID_CONTEXT_SECOND    33201
#define ID_CONTEXT_NESTED    33202

#define ID_VIEW_EXPLORER     32792
#define ID_VIEW_OUTPUT       32793
#define ID_VIEW_BREAKPOINTS  33027
#define ID_VIEW_CALLSTACK    33045
#define ID_VIEW_VARIABLES    33047
#define ID_VIEW_UNNAMED      33050

#define ID_INDICATOR_POS     104

#define IDD_RESIZE           300
#define IDC_RESIZE_EDIT      1001
#define IDC_RESIZE_LABEL     1002
#define IDC_RESIZE_CHECK     1003
#define IDC_RESIZE_COMBO     1004
#define IDD_PAGE_ONE         301
#define IDD_PAGE_TWO         302
#define IDC_PAGE_EDIT        1010
