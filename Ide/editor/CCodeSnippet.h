// CCodeSnippet: one named piece of Lua text that the user inserts at the caret, kept
// in a .vcs file of its own (XML: a CODESNIPPET element with the NAME attribute and a
// TEXT child) in the snippets folder. The text keeps CR LF line ends.
#pragma once

#include <afx.h>

class CCodeSnippet
{
public:
    CCodeSnippet();
    virtual ~CCodeSnippet();

    CString GetFileName() const { return m_strFileName; }
    CString GetName() const { return m_strName; }
    CString GetText() const { return m_strText; }
    // None of them sets the modified flag; the callers do.
    void SetFileName(LPCTSTR pszFileName) { m_strFileName = pszFileName; }
    void SetName(LPCTSTR pszName) { m_strName = pszName; }
    // Any line ends become CR LF.
    void SetText(LPCTSTR pszText);

    // Writes folder + file name as a whole or not at all; TRUE clears the modified
    // flag, FALSE keeps it and the old file.
    BOOL Save(LPCTSTR pszFolder);
    // Reads folder + file name; on success takes its name, text and file name and
    // clears the modified flag. FALSE leaves the snippet as it was.
    BOOL Load(LPCTSTR pszFolder, LPCTSTR pszFileName);

    // The document Save writes.
    CString FormatFile() const;

    int m_nFavourite;   // -1 not a favourite, else its slot 0-9
    int m_nModified;    // 1 when the snippet must be written at exit

private:
    CString m_strFileName;  // bare file name with its .vcs extension
    CString m_strName;
    CString m_strText;

    CCodeSnippet(const CCodeSnippet&) = delete;
    CCodeSnippet& operator=(const CCodeSnippet&) = delete;
};
