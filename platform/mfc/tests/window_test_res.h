// Resource ids of the window-layer tests.
#define IDD_VALUES      100
#define IDD_PAGE_ONE    110
#define IDD_PAGE_TWO    111
#define IDC_NUMBER      1001
#define IDC_NAME        1002
#define IDC_CHECK       1003
#define IDC_RADIO1      1004
#define IDC_RADIO2      1005
#define IDC_COMBO       1006
#define IDC_LIST        1007
#define IDC_ACTION      1008
#define IDC_PAGE_EDIT   1101
#define IDC_PAGE_CHECK  1102
#define IDS_PAGE_TWO    2001
