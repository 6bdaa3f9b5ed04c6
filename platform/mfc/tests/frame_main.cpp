// Entry and shared pieces of the frame-layer tests: the application with two
// document templates, the main frame with its bars, documents, views, scratch files.
#include "frametest.h"
#include "TestExitCode.h"

CFrameTestApp theApp;
std::vector<std::string> g_events;
int CTextDoc::s_nLive = 0;
int CTextView::s_nLive = 0;

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)
IMPLEMENT_DYNCREATE(CNoteDoc, CTextDoc)
IMPLEMENT_DYNCREATE(CTextView, CView)
IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTextView, CView)
    ON_WM_DESTROY()
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

void CTextView::OnBeginPrinting(CDC*, CPrintInfo* pInfo)
{
    CTextDoc* pDoc = (CTextDoc*)GetDocument();
    UINT nLines = 0;
    if (pDoc != NULL && !pDoc->m_strText.IsEmpty())
    {
        nLines = 1;
        for (int i = 0; i < pDoc->m_strText.GetLength(); i++)
            nLines += pDoc->m_strText[i] == '\n' ? 1 : 0;
    }
    pInfo->SetMaxPage(nLines);
    g_events.push_back(std::string("begin printing") + (pInfo->m_bPreview ? " preview" : ""));
}

void CTextView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rect = pInfo->m_rectDraw;
    rect.bottom = rect.top + rect.Height() / 2;
    pDC->FillSolidRect(&rect, RGB(0, 0, 0));
}

void CTextView::OnEndPrinting(CDC*, CPrintInfo*)
{
    g_events.push_back("end printing");
}

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINE, CMainFrame::OnUpdateLine)
    ON_COMMAND(ID_TEST_HANDLED, CMainFrame::OnTestHandled)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, CMainFrame::OnUpdateTestChecked)
    ON_COMMAND(ID_TEST_RED, CMainFrame::OnTestColour)
    ON_COMMAND(ID_TEST_GREEN, CMainFrame::OnTestColour)
    ON_COMMAND(ID_TEST_CHECKED, CMainFrame::OnTestColour)
END_MESSAGE_MAP()

void CTextDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        int nLength = m_strText.GetLength();
        if (m_bFailWhileSaving)
        {
            ar.Write((LPCTSTR)m_strText, (UINT)(nLength / 2));
            AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, ar.m_strFileName);
        }
        ar.Write((LPCTSTR)m_strText, (UINT)nLength);
        return;
    }
    char buf[256];
    UINT nRead;
    while ((nRead = ar.Read(buf, sizeof(buf))) > 0)
        m_strText += CString(buf, (int)nRead);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_LINE, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_wndToolBar.LoadToolBar(IDR_TESTBAR))
    {
        return -1;
    }
    for (int i = 0; i < 4; i++)
    {
        if (!m_wndBars[i].Create(this, nIDBarFirst + i))
            return -1;
        CString strName;
        strName.Format("Bar %d", i);
        m_wndBars[i].SetWindowText(strName);
    }
    return 0;
}

CScratchDir::CScratchDir()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    static int s_nCounter = 0;
    m_strDir.Format("%svornframe%lu_%d\\", szTemp, ::GetCurrentProcessId(), ++s_nCounter);
    ::CreateDirectoryA(m_strDir, NULL);
}

CScratchDir::~CScratchDir()
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(m_strDir + "*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            {
                ::SetFileAttributesA(m_strDir + fd.cFileName, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(m_strDir + fd.cFileName);
            }
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(m_strDir);
}

int CScratchDir::CountFiles() const
{
    int nCount = 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(m_strDir + "*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ++nCount;
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return nCount;
}

CString ReadWholeFile(LPCTSTR lpszPath)
{
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone))
        return "<missing>";
    CString strText;
    UINT nLength = (UINT)file.GetLength();
    if (nLength > 0)
    {
        file.Read(strText.GetBuffer((int)nLength), nLength);
        strText.ReleaseBuffer((int)nLength);
    }
    return strText;
}

void WriteWholeFile(LPCTSTR lpszPath, LPCSTR lpszText)
{
    CFile file(lpszPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(lpszText, (UINT)lstrlenA(lpszText));
}

CRect RectIn(CWnd* pWnd, CWnd* pRelativeTo)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pRelativeTo->ScreenToClient(&rect);
    return rect;
}

int main(int argc, char** argv)
{
    // Unbuffered, so a run stopped at its time limit shows the test it stopped in.
    setvbuf(stdout, NULL, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    theApp.SetRegistryKey("Vorn Tests");
    theApp.LoadStdProfileSettings(4);
    theApp.AddDocTemplate(new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CChildFrame),
                                                RUNTIME_CLASS(CTextView)));
    theApp.AddDocTemplate(new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CChildFrame),
                                                RUNTIME_CLASS(CTextView)));
    return TestProgramExitCode(RUN_ALL_TESTS());
}
