// CGlobalVariablesPage: the Variables bar's page of the debugged script's global variables.
#pragma once

#include "CVariablesListCtrl.h"
#include "CVariablesPage.h"

class CGlobalVariablesPage : public CVariablesPage
{
    DECLARE_DYNAMIC(CGlobalVariablesPage)
public:
    CGlobalVariablesPage();

private:
    CVariablesListCtrl m_wndList;
};
