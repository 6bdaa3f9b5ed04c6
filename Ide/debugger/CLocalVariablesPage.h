// CLocalVariablesPage: the Variables bar's page of the stopped script's local variables.
#pragma once

#include "CVariablesListCtrl.h"
#include "CVariablesPage.h"

class CLocalVariablesPage : public CVariablesPage
{
    DECLARE_DYNAMIC(CLocalVariablesPage)
public:
    CLocalVariablesPage();

private:
    CVariablesListCtrl m_wndList;
};
