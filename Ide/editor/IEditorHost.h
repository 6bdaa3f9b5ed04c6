// IEditorHost: what the editor's windows (CVornDoc, CVornView, CChildFrame) need of the
// application around them: the settings, the user word lists, the open project's file
// entries, the outline model, the debug session, and a few refreshes of the main frame's windows. The
// application installs its host once at start-up; until then (and in programs without
// one) a host with default settings, no project and no main-frame windows answers.
#pragma once

#include <afx.h>

class CAppSettings;
class CCodeSnippetList;
class COutline;
class COutlineNode;
class CBreakpoint;
class CProjectFileEntry;
class CVornView;
class IDebugSession;

class IEditorHost
{
public:
    virtual ~IEditorHost() {}

    // The user's settings, read by the editor whenever it applies them.
    virtual CAppSettings& GetSettings() = 0;
    // One of the seven user word strings (class 0-6): words separated by blanks.
    virtual CString GetUserWords(int nClass) = 0;
    // The open project's entry of the file (any spelling of its path), or NULL when no
    // project is open or the file is not one of its files.
    virtual CProjectFileEntry* FindProjectFile(LPCTSTR pszPath) = 0;
    // The application's outline model, which holds the project files' outlines.
    virtual COutline& GetOutline() = 0;
    // Shows the project file in its editor, activated and given the focus, opening it
    // when it is not open, and moves to the 0-based line unless it is negative; the
    // view, or NULL (also in programs that open no documents).
    virtual CVornView* OpenProjectFileAtLine(CProjectFileEntry* /*pEntry*/, int /*nLine*/) { return NULL; }

    // The Code Navigator's item of the file loses its children and is refilled from
    // the file's outline.
    virtual void RefreshNavigatorFile(CProjectFileEntry* pEntry) = 0;
    // The Code Navigator shows and selects the node's item below the file's item, or
    // the file's item when the node has none (or is NULL).
    virtual void SynchronizeNavigator(CProjectFileEntry* /*pEntry*/, const COutlineNode* /*pNode*/) {}
    // The main frame's title follows the active document and its modified state.
    virtual void RefreshMainTitle() = 0;
    // The Breakpoints window shows the breakpoints' current lines.
    virtual void RefreshBreakpointsWindow() = 0;
    // The breakpoint dialog titled "New Breakpoint" for the file and the 1-based line;
    // after OK, the line it returns and the condition and hit-count settings in
    // settings. FALSE when cancelled.
    virtual BOOL AskNewBreakpoint(LPCTSTR /*pszFile*/, int& /*nLine*/, CBreakpoint& /*settings*/) { return FALSE; }
    // The recent-files list of the File menu.
    virtual void AddRecentFile(LPCTSTR pszPath) = 0;
    // A search found its match in the view: the Find dialog moves off the selection.
    virtual void MoveFindDialogFromCaret() {}
    // A search found no more in its view: the next document's editor becomes the
    // target when the options search all open documents.
    virtual void UpdateCachedActiveView() {}
    // Every open editor loses its jump-line marks.
    virtual void ClearJumpMarksInAllViews() {}
    // The view is going: the main frame drops it as its remembered active editor.
    virtual void ForgetView(CVornView* pView) = 0;
    // An editor frame became active or inactive: the main frame rebuilds its Tools menu.
    virtual void RebuildToolsMenu() = 0;
    // The main frame's debug session, which evaluates the words of value tips.
    virtual IDebugSession& GetDebugSession() = 0;

    // The code snippets, and the folder their files live in (ending with "\").
    virtual CCodeSnippetList& GetCodeSnippets() = 0;
    virtual CString GetCodeSnippetFolder();
    // The settings' ten favourite-snippet names become the favourites' names in order.
    virtual void RebuildFavouriteSnippetNames();
    // The open project's name; empty when no project is open.
    virtual CString GetOpenProjectName() { return CString(); }

    // The installed host (never NULL). Install(NULL) goes back to the default one; the
    // installed host is not owned and must outlive every editor window.
    static IEditorHost& Get();
    static void Install(IEditorHost* pHost);
};
