// CWinApp: the printer the application prints on. Print Setup and the print dialog
// change it; Print, Print Preview and direct printing use it.
#include "afxpriv.h"
#include <afxdlgs.h>
#include <winspool.h>

namespace
{
BOOL IsPrinterInstalled()
{
    DWORD cbNeeded = 0, nReturned = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &cbNeeded, &nReturned);
    return cbNeeded > 0;
}

BOOL ReportIfNoPrinter()
{
    if (IsPrinterInstalled())
        return FALSE;
    AfxMessageBox(AFX_IDP_NO_PRINTER_INSTALLED, MB_ICONINFORMATION | MB_OK);
    return TRUE;
}
} // namespace

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld)
{
    if (bFreeOld)
    {
        if (m_hDevNames != NULL && m_hDevNames != hDevNames)
            ::GlobalFree(m_hDevNames);
        if (m_hDevMode != NULL && m_hDevMode != hDevMode)
            ::GlobalFree(m_hDevMode);
    }
    m_hDevNames = (HGLOBAL)hDevNames;
    m_hDevMode = (HGLOBAL)hDevMode;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames != NULL && !bForceDefaults)
        return;
    PRINTDLG pd;
    memset(&pd, 0, sizeof(pd));
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    if (::PrintDlg(&pd))
        SelectPrinter(pd.hDevNames, pd.hDevMode);
    else if (bForceDefaults)
        SelectPrinter(NULL, NULL);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    if (m_hDevNames == NULL)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    if (ReportIfNoPrinter())
        return IDCANCEL;
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevNames = m_hDevNames;
    pPD->m_pd.hDevMode = m_hDevMode;
    const INT_PTR nResult = pPD->DoModal();
    // The dialog may hand back new blocks; it frees the ones it replaces.
    SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode, FALSE);
    return nResult;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    CPrintDialog dlg(FALSE);
    if (!GetPrinterDeviceDefaults(&dlg.m_pd))
        return FALSE;
    HDC hDC = dlg.CreatePrinterDC();
    dlg.m_pd.hDC = NULL;   // the caller's now
    dlg.m_pd.hDevNames = NULL;
    dlg.m_pd.hDevMode = NULL;
    return hDC != NULL && dc.Attach(hDC);
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    DoPrintDialog(&dlg);
}
