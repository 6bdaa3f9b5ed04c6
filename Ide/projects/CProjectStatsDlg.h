// CProjectStatsDlg: shows the project's statistics, each number with its unit.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CProjectStatistics;

class CProjectStatsDlg : public CExtResizableDialog
{
public:
    explicit CProjectStatsDlg(CWnd* pParent = NULL);

    // The numbers and units in the order of the rows' data: files, lines, global
    // functions, local functions, table member functions, tables, global variables.
    enum { ROWS = 7 };
    int m_nValues[ROWS];
    CString m_strUnits[ROWS];

    // Fills the numbers and their singular or plural units.
    void SetStatistics(const CProjectStatistics& stats);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
};
