// CDocManager: the program's document templates, opening files with the template
// that suits them, and the File New and File Open commands.
#include "afxpriv.h"
#include <afxdlgs.h>

#include <vector>

IMPLEMENT_DYNAMIC(CDocManager, CObject)

namespace
{
const int nIDListBox = 100;

// In-memory dialog template: a list of the document kinds with OK and Cancel.
class CNewTypeTemplate
{
public:
    CNewTypeTemplate()
    {
        DLGTEMPLATE dlg;
        memset(&dlg, 0, sizeof(dlg));
        dlg.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        dlg.cdit = 3;
        dlg.cx = 160;
        dlg.cy = 90;
        Append(&dlg, sizeof(dlg));
        AppendWord(0);              // no menu
        AppendWord(0);              // default class
        AppendString(L"New");
        AppendWord(8);
        AppendString(L"MS Shell Dlg");
        // Class atoms of a dialog item template: 0x0083 the list box, 0x0080 the button.
        AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 7, 7, 100, 76,
                nIDListBox, 0x0083);
        AddItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 112, 7, 41, 14, IDOK, 0x0080, L"OK");
        AddItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 112, 25, 41, 14, IDCANCEL, 0x0080, L"Cancel");
    }

    LPCDLGTEMPLATE Get() const { return (LPCDLGTEMPLATE)m_bytes.data(); }

private:
    void Append(const void* p, size_t cb) { m_bytes.insert(m_bytes.end(), (const BYTE*)p, (const BYTE*)p + cb); }
    void AppendWord(WORD w) { Append(&w, sizeof(w)); }
    void AppendString(LPCWSTR lpsz) { Append(lpsz, (wcslen(lpsz) + 1) * sizeof(WCHAR)); }
    void AlignDword()
    {
        while (m_bytes.size() % 4 != 0)
            m_bytes.push_back(0);
    }

    void AddItem(DWORD dwStyle, short x, short y, short cx, short cy, WORD nID, WORD wClassAtom, LPCWSTR lpszText = L"")
    {
        AlignDword();
        DLGITEMTEMPLATE item;
        memset(&item, 0, sizeof(item));
        item.style = dwStyle;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = nID;
        Append(&item, sizeof(item));
        AppendWord(0xFFFF);
        AppendWord(wClassAtom);
        AppendString(lpszText);
        AppendWord(0);              // no creation data
    }

    std::vector<BYTE> m_bytes;
};

struct NEWTYPE_CHOICE
{
    std::vector<CDocTemplate*> templates;
    std::vector<CString> names;
    int nChosen;
};

BOOL HandleNewTypeMessage(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    NEWTYPE_CHOICE* pChoice = (NEWTYPE_CHOICE*)::GetWindowLongPtr(hDlg, DWLP_USER);
    switch (nMsg)
    {
    case WM_INITDIALOG:
    {
        ::SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        pChoice = (NEWTYPE_CHOICE*)lParam;
        HWND hList = ::GetDlgItem(hDlg, nIDListBox);
        for (const CString& strName : pChoice->names)
            ::SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)(LPCSTR)strName);
        ::SendMessage(hList, LB_SETCURSEL, 0, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == nIDListBox && HIWORD(wParam) == LBN_DBLCLK))
        {
            pChoice->nChosen = (int)::SendDlgItemMessage(hDlg, nIDListBox, LB_GETCURSEL, 0, 0);
            ::EndDialog(hDlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL)
        {
            ::EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK NewTypeDialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Nothing may unwind through the system's dialog procedure.
    BOOL bHandled = FALSE;
    if (!AfxCallCatchingAll(NULL, [&] { bHandled = HandleNewTypeMessage(hDlg, nMsg, wParam, lParam); }))
    {
        ::EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return bHandled;
}

// "Lua Files (*.lua)|*.lua|" for one template; its default extension too.
void AppendFilter(CString& strFilter, CDocTemplate* pTemplate, CString* pstrDefaultExt)
{
    CString strName, strExt;
    if (!pTemplate->GetDocString(strName, CDocTemplate::filterName) || strName.IsEmpty() ||
        !pTemplate->GetDocString(strExt, CDocTemplate::filterExt) || strExt.IsEmpty())
    {
        return;
    }
    CString strPatterns, strOne;
    for (int i = 0; AfxExtractSubString(strOne, strExt, i, ';'); i++)
    {
        strOne.TrimLeft();
        strOne.TrimRight();
        if (strOne.IsEmpty())
            continue;
        if (strOne.Left(1) == "*")
            strOne = strOne.Mid(1);
        if (pstrDefaultExt != NULL && pstrDefaultExt->IsEmpty())
            *pstrDefaultExt = strOne.Mid(1);   // without the dot
        if (!strPatterns.IsEmpty())
            strPatterns += ";";
        strPatterns += "*" + strOne;
    }
    strFilter += strName + "|" + strPatterns + "|";
}
}

CDocManager::CDocManager()
{
}

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.RemoveHead();
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate != NULL && m_templateList.Find(pTemplate) == NULL)
    {
        pTemplate->LoadTemplate();
        m_templateList.AddTail(pTemplate);
    }
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    // Quotes around a path (command lines, shell verbs) are not part of it.
    CString strName(lpszFileName);
    strName.TrimLeft();
    strName.TrimRight();
    if (strName.GetLength() >= 2 && strName[0] == '"' && strName[strName.GetLength() - 1] == '"')
        strName = strName.Mid(1, strName.GetLength() - 2);
    char szPath[MAX_PATH * 2];
    DWORD dwLength = ::GetFullPathNameA(strName, (DWORD)sizeof(szPath), szPath, NULL);
    CString strPath = dwLength != 0 && dwLength < sizeof(szPath) ? CString(szPath) : strName;

    CDocTemplate* pBestTemplate = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* pOpenDocument = NULL;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL && pOpenDocument == NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        CDocument* pMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pMatch);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            pOpenDocument = pMatch;
    }

    if (pOpenDocument != NULL)
    {
        // An open document comes to the front instead of opening twice.
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        if (pos != NULL)
        {
            CView* pView = pOpenDocument->GetNextView(pos);
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL)
                pFrame->ActivateFrame();
            CWnd* pMainWnd = AfxGetMainWnd();
            if (pMainWnd != NULL && pMainWnd != pFrame && pMainWnd->IsFrameWnd())
                ((CFrameWnd*)pMainWnd)->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(strPath);
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

int CDocManager::GetOpenDocumentCount()
{
    int nCount = 0;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL; nCount++)
            pTemplate->GetNextDoc(posDoc);
    }
    return nCount;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    CString strFilter, strDefaultExt;
    if (pTemplate != NULL)
        AppendFilter(strFilter, pTemplate, &strDefaultExt);
    else
    {
        for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
            AppendFilter(strFilter, (CDocTemplate*)m_templateList.GetNext(pos), &strDefaultExt);
    }
    CString strAll;
    if (!strAll.LoadString(AFX_IDS_ALLFILTER))
        strAll = "All Files (*.*)";
    strFilter += strAll + "|*.*||";

    CFileDialog dlg(bOpenFileDialog, strDefaultExt.IsEmpty() ? NULL : (LPCTSTR)strDefaultExt, fileName,
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags, strFilter, AfxGetMainWnd());
    CString strTitle;
    if (strTitle.LoadString(nIDSTitle))
        dlg.m_ofn.lpstrTitle = strTitle;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

CDocTemplate* CDocManager::ChooseTemplateForNew()
{
    // Templates without a name for File New are not offered there.
    NEWTYPE_CHOICE choice;
    choice.nChosen = -1;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        CString strName;
        if (pTemplate->GetDocString(strName, CDocTemplate::fileNewName) && !strName.IsEmpty())
        {
            choice.templates.push_back(pTemplate);
            choice.names.push_back(strName);
        }
    }
    if (choice.templates.empty())
        return m_templateList.IsEmpty() ? NULL : (CDocTemplate*)m_templateList.GetHead();
    if (choice.templates.size() == 1)
        return choice.templates[0];

    CNewTypeTemplate dlgTemplate;
    CWnd* pMainWnd = AfxGetMainWnd();
    INT_PTR nResult = ::DialogBoxIndirectParamA(AfxGetInstanceHandle(), dlgTemplate.Get(), pMainWnd->GetSafeHwnd(),
                                                NewTypeDialogProc, (LPARAM)&choice);
    if (nResult != IDOK || choice.nChosen < 0 || choice.nChosen >= (int)choice.templates.size())
        return NULL;
    return choice.templates[choice.nChosen];
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty())
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    CDocTemplate* pTemplate = ChooseTemplateForNew();
    if (pTemplate != NULL)
        pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString strNewName;
    if (!DoPromptFileName(strNewName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->OpenDocumentFile(strNewName);
}
