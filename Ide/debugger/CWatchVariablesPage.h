// CWatchVariablesPage: the Variables bar's page of the watch expressions and their values.
#pragma once

#include "CVariablesPage.h"
#include "CWatchListCtrl.h"

class CProject;

class CWatchVariablesPage : public CVariablesPage
{
    DECLARE_DYNAMIC(CWatchVariablesPage)
public:
    CWatchVariablesPage();

    CWatchListCtrl& GetWatchList() { return m_wndList; }
    // Appends the expression to the project's watches and shows its row.
    void AddWatch(CProject& project, LPCTSTR pszExpression);
    // One row per watch expression of the project, in its order.
    void Refill(const CProject& project);

private:
    CWatchListCtrl m_wndList;
};
