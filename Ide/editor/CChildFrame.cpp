#include "CChildFrame.h"

#include <afxpriv.h>

#include "ArrayUtil.h"
#include "COutline.h"
#include "CProjectFileEntry.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "IEditorHost.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_REBUILD_NAVIGATION, OnRebuildNavigationMessage)
    ON_CBN_SELCHANGE(IDC_NAV_TABLES, OnTableChanged)
    ON_CBN_SELENDOK(IDC_NAV_FUNCTIONS, OnFunctionChosen)
END_MESSAGE_MAP()

namespace
{
const char kGlobals[] = "(Globals)";
const int kListDropHeight = 250;
const int kMaxCaptionLength = 516;

CString GetSelectedText(CComboBox* pList)
{
    CString strText;
    const int nSelected = pList->GetCurSel();
    if (nSelected != CB_ERR)
        pList->GetLBText(nSelected, strText);
    return strText;
}

BOOL OutlineHoldsFile(const COutline& outline, const COutlineFile* pFile)
{
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        if (outline.GetFile(i) == pFile)
            return TRUE;
    }
    return FALSE;
}
} // namespace

CChildFrame::CChildFrame()
    : m_nNavigationBarVisible(1)
{
}

CChildFrame::~CChildFrame()
{
}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndNavigationBar.Create(this, IDD_NAVIGATION_BAR, CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, IDD_NAVIGATION_BAR))
        return -1;
    return 0;
}

CComboBox* CChildFrame::GetTablesList()
{
    return static_cast<CComboBox*>(m_wndNavigationBar.GetDlgItem(IDC_NAV_TABLES));
}

CComboBox* CChildFrame::GetFunctionsList()
{
    return static_cast<CComboBox*>(m_wndNavigationBar.GetDlgItem(IDC_NAV_FUNCTIONS));
}

void CChildFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIChildWnd::OnSize(nType, cx, cy);
    CComboBox* pTables = GetTablesList();
    CComboBox* pFunctions = GetFunctionsList();
    if (pTables == NULL || pFunctions == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    const int nHalf = rect.Width() / 2;
    // A combo box's height includes its drop-down list.
    pTables->MoveWindow(3, 5, nHalf - 15, kListDropHeight);
    pFunctions->MoveWindow(nHalf, 5, nHalf - 10, kListDropHeight);
}

void CChildFrame::ShowNavigationBar(BOOL bShow)
{
    ShowControlBar(&m_wndNavigationBar, bShow, FALSE);
    m_nNavigationBarVisible = bShow ? 1 : 0;
}

void CChildFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pMainFrame = GetMDIFrame();
    if (pMainFrame != NULL)
        pMainFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle)
        return;

    CDocument* pDocument = GetActiveDocument();
    CString strText;
    if (pDocument != NULL)
    {
        strText = pDocument->GetTitle();
        if (pDocument->IsModified())
            strText += "*";
    }
    else
    {
        strText = m_strTitle;
    }
    if (m_nWindow > 0)
    {
        CString strNumber;
        strNumber.Format(":%d", m_nWindow);
        if (strText.GetLength() + strNumber.GetLength() < kMaxCaptionLength)
            strText += strNumber;
    }
    AfxSetWindowText(m_hWnd, strText);
}

void CChildFrame::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    IEditorHost::Get().RebuildToolsMenu();
}

/////////////////////////////////////////////////////////////////////////////
// Navigation lists

LRESULT CChildFrame::OnRebuildNavigationMessage(WPARAM wParam, LPARAM /*lParam*/)
{
    // The message was posted: the file may have left the outline since.
    COutlineFile* pFile = reinterpret_cast<COutlineFile*>(wParam);
    if (pFile != NULL && !OutlineHoldsFile(IEditorHost::Get().GetOutline(), pFile))
        pFile = NULL;
    OnRebuildNavigation(pFile);
    return 0;
}

COutlineTable* CChildFrame::FindChosenTable(COutlineFile* pFile, const CString& strTable)
{
    if (pFile == NULL || strTable.IsEmpty() || strTable == kGlobals)
        return NULL;
    return pFile->FindTable(strTable);
}

void CChildFrame::FillFunctionsList(COutlineFile* pFile, COutlineTable* pTable)
{
    CComboBox* pFunctions = GetFunctionsList();
    pFunctions->ResetContent();
    for (int i = 0; i < pFile->GetFunctionCount(); i++)
    {
        COutlineFunction* pFunction = pFile->GetFunction(i);
        if (pFunction->m_pParentTable == pTable)
            pFunctions->AddString(pFunction->GetName());
    }
}

void CChildFrame::OnRebuildNavigation(COutlineFile* pFile)
{
    CComboBox* pTables = GetTablesList();
    CComboBox* pFunctions = GetFunctionsList();
    if (pTables == NULL || pFunctions == NULL)
        return;
    CString strTable = GetSelectedText(pTables);
    const CString strFunction = GetSelectedText(pFunctions);
    pTables->ResetContent();
    pFunctions->ResetContent();
    if (pFile == NULL)
        return;

    CStringArray tables;
    for (int i = 0; i < pFile->GetTableCount(); i++)
        tables.Add(pFile->GetTable(i)->GetName());
    SortStringArray(tables);
    pTables->AddString(kGlobals);
    for (int i = 0; i < (int)tables.GetSize(); i++)
        pTables->AddString(tables[i]);

    // A table that is gone falls back to "(Globals)".
    if (strTable.IsEmpty() || pTables->SelectString(-1, strTable) == CB_ERR)
    {
        strTable.Empty();
        pTables->SetCurSel(0);
    }

    FillFunctionsList(pFile, FindChosenTable(pFile, strTable));
    if (pFunctions->GetCount() > 0)
    {
        pFunctions->SetCurSel(0);
        if (!strFunction.IsEmpty())
            pFunctions->SelectString(-1, strFunction);
    }
}

COutlineFile* CChildFrame::GetActiveOutlineFile()
{
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, GetActiveDocument());
    CProjectFileEntry* pEntry = pDoc != NULL ? pDoc->GetProjectFile() : NULL;
    return pEntry != NULL ? pEntry->GetOutlineFile() : NULL;
}

void CChildFrame::OnTableChanged()
{
    COutlineFile* pFile = GetActiveOutlineFile();
    if (pFile == NULL)
        return;
    FillFunctionsList(pFile, FindChosenTable(pFile, GetSelectedText(GetTablesList())));
    GetFunctionsList()->SetCurSel(0);
}

void CChildFrame::OnFunctionChosen()
{
    COutlineFile* pFile = GetActiveOutlineFile();
    if (pFile == NULL)
        return;
    const CString strTable = GetSelectedText(GetTablesList());
    const CString strFunction = GetSelectedText(GetFunctionsList());
    // Without the table (gone, or "(Globals)") the top-level function of the name.
    COutlineFunction* pFunction = pFile->FindMemberFunction(strFunction, FindChosenTable(pFile, strTable));
    CVornView* pView = DYNAMIC_DOWNCAST(CVornView, GetActiveView());
    if (pFunction == NULL || pView == NULL)
        return;
    pView->GoToOutlineNode(pFunction);
    pView->SetFocus();
}
