// Resource ids of the frame-layer tests.
#pragma once

#define IDR_MAINFRAME       128
#define IDR_TEXTTYPE        129
#define IDR_NOTETYPE        130
#define IDR_TESTBAR         131
#define IDD_DIALOGBAR       140
#define IDC_BAR_COMBO       1001
#define ID_INDICATOR_LINE   104
#define ID_TEST_HANDLED     32800
#define ID_TEST_UNHANDLED   32801
#define ID_TEST_CHECKED     32802
#define ID_TEST_RED         32810
#define ID_TEST_GREEN       32811
#define ID_TEST_BLUE        32812
#define ID_NOTE_NEXTWINDOW  32820
