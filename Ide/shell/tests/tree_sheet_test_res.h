// Templates of the tree sheet test's small pages.
#pragma once
#define IDD_TEST_PAGE_1 201
#define IDD_TEST_PAGE_2 202
#define IDD_TEST_PAGE_3 203
#define IDD_TEST_PAGE_4 204
#define IDD_TEST_PAGE_5 205
#define IDC_TEST_EDIT 1001
