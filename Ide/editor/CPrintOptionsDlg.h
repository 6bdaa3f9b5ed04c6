// CPrintOptionsDlg: File > Print Options. What the header and footer of each printed
// page show: the header with the file name and the date, the page number in the footer,
// break lines under and over them, and where each text stands.
#pragma once

#include <afxwin.h>

#include "CExtBtnOnFlat.h"
#include "CExtButton.h"
#include "CExtComboBox.h"
#include "CExtResizableDialog.h"

class CAppSettings;

class CPrintOptionsDlg : public CExtResizableDialog
{
public:
    explicit CPrintOptionsDlg(CWnd* pParent = NULL);

    // Runs the dialog on the nine print settings; on OK they take the dialog's values,
    // on Cancel they stay as they were. Returns the dialog's result.
    static INT_PTR EditSettings(CAppSettings& settings, CWnd* pParent);
    // The members from the settings, and back.
    void LoadFrom(const CAppSettings& settings);
    void StoreTo(CAppSettings& settings) const;

    int m_nHeaderAlignment;
    int m_nPrintHeader;
    int m_nHeaderBreakLine;
    int m_nFileName;
    int m_nDate;
    int m_nFooterBreakLine;
    int m_nFooterAlignment;
    int m_nPageNumbers;
    int m_nPageString;

protected:
    CExtBtnOnFlat m_checks[7];
    CExtComboBox m_alignmentLists[2];
    CExtButton m_buttons[2];

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    void FillAlignmentList(UINT nID);
    void SkinControls();
};
