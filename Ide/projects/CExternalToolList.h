// CExternalToolList: the user's external tools, kept in exttools.xml beside the program.
// The array keeps the order the tools were added in (the file's order); the Tools menu
// and the dialog show them by menu index. The list owns its records.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "CExternalTool.h"

class CExternalToolList
{
public:
    // Only this many tools have commands on the Tools menu; the ids after them belong
    // to the file hotlist.
    enum { MAX_MENU_TOOLS = 31 };

    CExternalToolList();
    ~CExternalToolList();

    int GetCount() const { return (int)m_tools.GetSize(); }
    // In array order.
    CExternalTool* GetAt(int nIndex) const { return static_cast<CExternalTool*>(m_tools.GetAt(nIndex)); }

    // A new tool (menu index -1) at the end of the array; NULL when the title is empty
    // or taken.
    CExternalTool* AddTool(LPCTSTR pszTitle);
    // Exact, case-sensitive.
    CExternalTool* FindByTitle(LPCTSTR pszTitle) const;
    // The first tool in array order with that menu index.
    CExternalTool* FindByMenuIndex(int nIndex) const;
    // The tool with the smallest menu index above the given one.
    CExternalTool* FindNextByMenuIndex(int nIndex) const;
    // Deletes the record; a pointer the list does not hold is ignored.
    void Remove(CExternalTool* pTool);
    void RemoveAll();

    // The edits of the External Tools dialog; each keeps the menu indices 0 .. n-1.
    // A tool titled "[ NewTool%i ]" with the smallest free number, last on the menu.
    CExternalTool* AddNewTool();
    // Deletes the tool and closes its gap on the menu.
    void RemoveFromMenu(CExternalTool* pTool);
    // The tools at the two menu positions change places; FALSE when one is missing.
    BOOL ExchangeMenuIndices(int nFirst, int nSecond);
    // Why the title and command cannot be stored in the tool (the first failed check),
    // or NULL when they can.
    LPCTSTR CheckToolEdit(const CExternalTool* pTool, LPCTSTR pszTitle, LPCTSTR pszCommand) const;

    // Reads the tools of the file and appends them. Elements without a title, command or
    // arguments, or with an empty or repeated title, are skipped; afterwards the menu
    // indices are 0 .. n-1 again, in the order the file gave them. FALSE when the file
    // cannot be read or parsed; the list is then unchanged.
    BOOL LoadFromFile(LPCTSTR pszPath);
    // What the last load could not take, one line each ending with "\n": the file's
    // path, the line of the XML error or of the skipped element, and why. Empty when the
    // whole file was read, or when there was no file.
    const CString& GetLoadProblems() const { return m_strLoadProblems; }
    // Replaces the file as a whole or not at all. A file the last load could not read
    // whole is first copied to <path>.bak, so no hand-written tool is lost; FALSE when
    // that copy or the save fails, and the old file stays.
    BOOL SaveToFile(LPCTSTR pszPath);
    // The file's content as SaveToFile writes it.
    CString FormatFile() const;

    // The text of one attribute value, escaped for double quotes: "&", "<", ">", the
    // quote and control characters become references; other bytes stay as they are.
    static CString EscapeAttribute(LPCTSTR pszValue);

private:
    CPtrArray m_tools;
    // The path of a file the last load could not take whole (unparsable, or elements
    // skipped): it is kept as .bak before it is replaced.
    CString m_strKeepBeforeSave;
    CString m_strLoadProblems;

    void NoteLoadProblem(LPCTSTR pszPath, int nLine, LPCTSTR pszWhy);

    void RenumberMenuIndices();
    BOOL KeepCopyOf(LPCTSTR pszPath);

    CExternalToolList(const CExternalToolList&) = delete;
    CExternalToolList& operator=(const CExternalToolList&) = delete;
};
