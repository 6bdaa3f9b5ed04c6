// Harness of the frame-layer tests: an application whose message boxes answer from
// a script, an MDI main frame with bars, and two document types with their views.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxadv.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include <deque>
#include <string>
#include <vector>
#include "MessagePump.h"
#include "frame_test_res.h"

// Readable geometry in failure messages.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os)
{
    *os << s.cx << "x" << s.cy;
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

// What happened, in order, for tests of the closing sequence.
extern std::vector<std::string> g_events;

class CFrameTestApp : public CWinApp
{
public:
    CFrameTestApp() : CWinApp("VornFrameTest") {}

    std::vector<std::string> m_prompts;   // texts of the message boxes shown
    std::deque<int> m_answers;            // answers to give, in order (IDOK when none left)
    std::deque<CString> m_fileNames;      // names the file dialog "chooses" (cancel when none)
    int m_nExceptions = 0;

    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        m_prompts.push_back(lpszPrompt);
        if (m_answers.empty())
            return IDOK;
        int nAnswer = m_answers.front();
        m_answers.pop_front();
        return nAnswer;
    }
    virtual BOOL DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*)
    {
        m_prompts.push_back("file dialog: " + std::string((LPCTSTR)fileName));
        if (m_fileNames.empty())
            return FALSE;
        fileName = m_fileNames.front();
        m_fileNames.pop_front();
        return TRUE;
    }
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg)
    {
        ++m_nExceptions;
        return CWinApp::ProcessWndProcException(e, pMsg);
    }
};

extern CFrameTestApp theApp;

// A document of text, stored as the text's bytes. It can be told to fail half-way.
class CTextDoc : public CDocument
{
    DECLARE_DYNCREATE(CTextDoc)
public:
    CString m_strText;
    BOOL m_bFailWhileSaving = FALSE;
    int m_nIdle = 0;
    static int s_nLive;

    CTextDoc() { ++s_nLive; }
    virtual ~CTextDoc() { --s_nLive; g_events.push_back("~doc"); }
    virtual void Serialize(CArchive& ar);
    virtual void OnIdle() { ++m_nIdle; }
    virtual void DeleteContents()
    {
        g_events.push_back("DeleteContents views=" + std::to_string(m_viewList.GetCount()));
        m_strText.Empty();
    }
};

class CNoteDoc : public CTextDoc
{
    DECLARE_DYNCREATE(CNoteDoc)
};

class CTextView : public CView
{
    DECLARE_DYNCREATE(CTextView)
public:
    static int s_nLive;
    int m_nInitialUpdates = 0;
    CTextView() { ++s_nLive; }
    virtual ~CTextView() { --s_nLive; }
    virtual void OnDraw(CDC*) {}
    virtual void OnInitialUpdate()
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    afx_msg void OnDestroy()
    {
        g_events.push_back("view destroyed");
        CView::OnDestroy();
    }
    // Printing: one page per line of the document, its upper half filled black.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    DECLARE_MESSAGE_MAP()
};

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    afx_msg void OnDestroy()
    {
        g_events.push_back("frame destroyed");
        CMDIChildWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

// A bar of fixed size along its side, like a small toolbar.
class CTestBar : public CControlBar
{
public:
    CSize m_sizeHorz = CSize(120, 24);
    CSize m_sizeVert = CSize(28, 90);

    // Made hidden: the tests show the bars they dock.
    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = CBRS_TOP)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(AfxRegisterWndClass(0), NULL, WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
    }
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz)
    {
        CSize size = bHorz ? m_sizeHorz : m_sizeVert;
        if (bStretch)
            (bHorz ? size.cx : size.cy) = 32767;
        return size;
    }
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}
};

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CTestBar m_wndBars[4];
    CString m_strLine = "Ln 1";
    int m_nHandled = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnUpdateLine(CCmdUI* pCmdUI) { pCmdUI->SetText(m_strLine); }
    afx_msg void OnTestHandled() { ++m_nHandled; }
    afx_msg void OnUpdateTestChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnTestColour() {}
    DECLARE_MESSAGE_MAP()
};

// Ids of the four test bars.
const UINT nIDBarFirst = 0xE830;

// Dispatches the thread's queued messages; returns when the queue is empty.
inline void PumpPending()
{
    DispatchWaitingMessages();
}

// A scratch directory of its own for each test, removed with its files afterwards.
class CScratchDir
{
public:
    CScratchDir();
    ~CScratchDir();
    CString Path(LPCTSTR lpszName) const { return m_strDir + lpszName; }
    int CountFiles() const;
    const CString& Dir() const { return m_strDir; }

private:
    CString m_strDir;
};

CString ReadWholeFile(LPCTSTR lpszPath);
void WriteWholeFile(LPCTSTR lpszPath, LPCSTR lpszText);
// Client rectangle of a window in the coordinates of another window's client area.
CRect RectIn(CWnd* pWnd, CWnd* pRelativeTo);
