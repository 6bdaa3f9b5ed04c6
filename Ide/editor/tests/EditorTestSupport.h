// Harness of the editor window tests: an application that records its message boxes,
// an editor host with a real project and outline, a small MDI main frame with the Lua
// document type, and a driver for the system's own dialogs.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include "CChildFrame.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "EditorTestHost.h"
#include "VornTestFolder.h"

#include <functional>
#include <thread>
#include <string>
#include <vector>

class CEditorTestApp : public CWinApp
{
public:
    CEditorTestApp() : CWinApp("VornEditorTest") {}

    std::vector<std::string> m_messageBoxes;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        m_messageBoxes.push_back(lpszPrompt);
        return IDOK;
    }
};

extern CEditorTestApp theApp;

// Each test gets a fresh host with an open project in a fresh folder; every document
// is closed afterwards.
class EditorWindowTest : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CTestEditorHost m_host;

    void SetUp() override;
    void TearDown() override;

    CString WriteFile(LPCTSTR pszName, const std::string& content);
    // The file is written, added to the project and its outline parsed from disk.
    CProjectFileEntry* AddProjectFile(LPCTSTR pszName, const std::string& content);
    // Opens the file through the document template; NULL when it did not open.
    CVornDoc* Open(const CString& strPath);
    CVornDoc* NewDocument();
    static CVornView* ViewOf(CVornDoc* pDoc) { return pDoc->GetView(); }
    static CChildFrame* FrameOf(CVornDoc* pDoc);
    static CString CaptionOf(CWnd* pWnd);
};

// Pumps until the condition holds or the time runs out.
bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs = 5000);
// Paints every window now.
void PaintAll();

// The system's dialogs of the user-interface thread, driven from another thread while
// the user-interface thread runs them modally.
namespace DialogDriver
{
// The first visible dialog window of the thread that is not one of those given; NULL
// when none showed up in time.
HWND WaitForDialog(DWORD dwThreadId, const std::vector<HWND>& exclude, DWORD dwTimeoutMs = 10000);
void WaitUntilGone(HWND hWnd, DWORD dwTimeoutMs = 10000);
// The texts of the dialog's static controls, joined by blanks.
std::string GetStaticTexts(HWND hDlg);
// The file name field of a file dialog.
std::string GetFileNameField(HWND hDlg);
void SetFileNameField(HWND hDlg, LPCTSTR pszText);
void PressButton(HWND hDlg, int nID);
// Cancels every dialog of the thread, so that a driver that lost its way never leaves
// the user-interface thread in a modal loop.
void CancelAll(DWORD dwThreadId);

// What the driver saw of the dialogs.
struct CDialogLog
{
    std::string strProposedName;
    std::string strQuestion;
    bool bAsked = false;
};

// Plays one save dialog of the calling thread from a second thread: reads the
// proposed name, types the chosen one and presses Save; when the dialog asks about
// replacing a file, answers nAnswer (IDYES or IDNO; No then cancels the dialog). An
// empty name cancels at once.
std::thread DriveSaveAs(CDialogLog& log, std::string strChosen, int nAnswer);
}
