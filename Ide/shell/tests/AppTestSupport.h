// The IDE's application in a test program: the real start-up and main frame, with the
// message boxes answered by the test, and helpers to pump messages, to ask the frame
// for the state of its commands and to drive modal dialogs.
#pragma once

#include "CMainFrame.h"
#include "CVornApp.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "VornTestFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CTestVornApp : public CVornApp
{
public:
    std::vector<std::string> m_prompts;
    std::deque<int> m_answers;

    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        m_prompts.push_back(lpszPrompt);
        if (m_answers.empty())
            return IDOK;
        const int nAnswer = m_answers.front();
        m_answers.pop_front();
        return nAnswer;
    }

    void SetAlreadyRunning(BOOL bRunning)
    {
        m_bAlreadyRunning = bRunning;
        m_settings.SetSecondInstance(bRunning);
    }
    // A new main frame after the last one was closed.
    BOOL RecreateMainFrame() { return CreateMainFrame(); }
    // The code snippets' folder: a test's own when it sets one.
    CString m_strSnippetFolder;
    virtual CString GetCodeSnippetFolder()
    {
        return m_strSnippetFolder.IsEmpty() ? CVornApp::GetCodeSnippetFolder() : m_strSnippetFolder;
    }
};

extern CTestVornApp theApp;

// Handles every message waiting in the queue, then runs the idle updates.
void PumpPending();

// With VORN_SCREENSHOT_DIR set, the main frame repainted and pictured as <name>.bmp there.
void ScreenshotMainFrame(const char* pszName);

// A test on the IDE's main frame, with a fresh folder of its own. It starts with no
// prompts or answers left from another test and ends with every document closed
// without questions; a test that opens a project closes it with CloseProject().
class CIdeTest : public ::testing::Test
{
protected:
    CTestFolder m_folder;

    void SetUp() override;
    void TearDown() override;

    static CMainFrame* Frame() { return theApp.GetMainFrame(); }
    static CProject& Project();
    // The project closed and discarded, its questions answered No.
    static void CloseProject();
};

// What the frame's update handlers say about one command, as a menu item asks.
struct CCommandState
{
    bool bEnabled = false;
    int nCheck = -1;      // -1: not set
    std::string text;     // empty: not set
};
CCommandState QueryCommand(CCmdTarget* pTarget, UINT nID);

// The registry key of this program's settings (HKCU\Software\Ostrel Software\<name>).
CString ApplicationRegistryPath();
void DeleteApplicationRegistryKey();
// Every value under the application's key, as "key\\name" lines; keys without values
// do not show.
std::string DumpApplicationRegistryValues();

// Acts on a modal dialog from a timer of the test once a visible dialog of that caption
// shows. The steps run in order, one per tick; the last must end the dialog.
class CDialogDriver
{
public:
    typedef std::function<void(HWND)> Step;

    static void Run(LPCTSTR pszCaption, std::vector<Step> steps);
    static int Ran() { return s_nRan; }

private:
    static CString s_strCaption;
    static std::deque<Step> s_steps;
    static int s_nRan;
    static UINT_PTR s_nTimer;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
};

// Steps of a dialog driver: the user types a control's text, or presses a button.
CDialogDriver::Step SetText(int nID, std::string text);
CDialogDriver::Step Press(int nID);

// Whether the frame could be made the foreground window: keys sent through the input
// queue reach the menus only then.
bool BringFrameToFront();

// Opens a menu with open() and, once the framework's popup shows and takes keys, types
// the keys into it through the input queue, 40 ms apart (also into a menu that runs its
// own loop). A menu still tracked after dwTimeoutMs is cancelled, so that a test fails
// instead of waiting for ever. True when the keys ended the tracking; the chosen
// command has been dispatched on return.
bool ChooseFromMenu(const std::function<void()>& open, const std::vector<WORD>& keys, DWORD dwTimeoutMs = 8000);

// The first child of the tree item with exactly that text; NULL when none has it.
HTREEITEM TreeChildNamed(CTreeCtrl& tree, HTREEITEM hParent, const char* pszText);

// The lines of a dialog's list box, in order.
std::vector<std::string> ListBoxLines(HWND hDialog, int nID);
