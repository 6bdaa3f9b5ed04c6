#include "CProjectFileEntry.h"

#include "CProject.h"
#include "KeyValueText.h"
#include "LuaTools.h"
#include "LuaFileExtensions.h"
#include "ProjectPaths.h"

namespace
{
int BreakpointLine(const void* pRecord)
{
    return static_cast<const CBreakpoint*>(pRecord)->GetLine();
}

int NamedBookmarkLine(const void* pRecord)
{
    return static_cast<const CNamedBookmark*>(pRecord)->GetLine();
}

BOOL GetLastWriteTime(LPCTSTR pszPath, ULONGLONG& nTime)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data))
        return FALSE;
    nTime = ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
    return TRUE;
}
} // namespace

CProjectFileEntry::CProjectFileEntry(CProject* pOwner)
    : m_pFolder(NULL), m_pOutlineFile(NULL), m_pOwner(pOwner)
{
}

CProjectFileEntry::~CProjectFileEntry()
{
    for (int i = 0; i < GetNamedBookmarkCount(); i++)
        delete GetNamedBookmarkAt(i);
    for (int i = 0; i < GetBreakpointCount(); i++)
        delete GetBreakpointAt(i);
}

void CProjectFileEntry::MarkModified()
{
    if (m_pOwner != NULL)
        m_pOwner->SetModified();
}

//////////////////////////////////////////////////////////////////////////////
// Paths

void CProjectFileEntry::SetPath(LPCTSTR pszFullPath)
{
    m_strPath = pszFullPath;
    m_strPathKey = PathKey(pszFullPath);
    UpdateRelativePath();
}

void CProjectFileEntry::UpdateRelativePath()
{
    m_strRelativePath = MakeRelativePath(m_pOwner != NULL ? m_pOwner->GetDirectory() : CString(), m_strPath);
}

CString CProjectFileEntry::GetDirectory() const
{
    return DirectoryOfPath(m_strPath);
}

CString CProjectFileEntry::GetFileName() const
{
    return FileNameOfPath(m_strPath);
}

CString CProjectFileEntry::GetTitle() const
{
    return TitleOfFileName(GetFileName());
}

CString CProjectFileEntry::GetExtension() const
{
    return ExtensionOfFileName(GetFileName());
}

CString CProjectFileEntry::GetOutputFileName() const
{
    CString strExtension = m_pOwner->GetOutputFileExt();
    strExtension.Remove('*');
    return GetTitle() + strExtension;
}

CString CProjectFileEntry::GetOutputPath() const
{
    return WithTrailingBackslash(m_pOwner->GetOutputDirectory()) + GetOutputFileName();
}

BOOL CProjectFileEntry::IsLuaSourceFile() const
{
    return IsLuaFileExtension(GetExtension(), m_pOwner->GetServices().Settings().m_strProjsLuaFileExtensions);
}

BOOL CProjectFileEntry::IsXmlFile() const
{
    return GetExtension().CompareNoCase(".xml") == 0;
}

//////////////////////////////////////////////////////////////////////////////
// Bookmark lines

INT_PTR CProjectFileEntry::LowerBoundBookmark(UINT nLine) const
{
    // The list is kept in line order: a binary search keeps Mark All over many lines
    // linear.
    INT_PTR nLow = 0;
    INT_PTR nHigh = m_bookmarks.GetSize();
    while (nLow < nHigh)
    {
        const INT_PTR nMiddle = nLow + (nHigh - nLow) / 2;
        if (m_bookmarks[nMiddle] < nLine)
            nLow = nMiddle + 1;
        else
            nHigh = nMiddle;
    }
    return nLow;
}

void CProjectFileEntry::AddBookmark(UINT nLine)
{
    const INT_PTR i = LowerBoundBookmark(nLine);
    if (i < m_bookmarks.GetSize() && m_bookmarks[i] == nLine)
        return;
    m_bookmarks.InsertAt(i, nLine);
    MarkModified();
}

void CProjectFileEntry::RemoveBookmark(UINT nLine)
{
    const INT_PTR i = LowerBoundBookmark(nLine);
    if (i < m_bookmarks.GetSize() && m_bookmarks[i] == nLine)
    {
        m_bookmarks.RemoveAt(i);
        MarkModified();
    }
}

void CProjectFileEntry::RemoveAllBookmarks()
{
    if (m_bookmarks.GetSize() == 0)
        return;
    m_bookmarks.RemoveAll();
    MarkModified();
}

BOOL CProjectFileEntry::HasBookmark(UINT nLine) const
{
    const INT_PTR i = LowerBoundBookmark(nLine);
    return i < m_bookmarks.GetSize() && m_bookmarks[i] == nLine;
}

void CProjectFileEntry::ReplaceBookmarks(const CDWordArray& lines)
{
    CDWordArray sorted;
    for (INT_PTR i = 0; i < lines.GetSize(); i++)
    {
        INT_PTR j = 0;
        while (j < sorted.GetSize() && sorted[j] < lines[i])
            j++;
        if (j == sorted.GetSize() || sorted[j] != lines[i])
            sorted.InsertAt(j, lines[i]);
    }
    BOOL bSame = sorted.GetSize() == m_bookmarks.GetSize();
    for (INT_PTR i = 0; bSame && i < sorted.GetSize(); i++)
        bSame = sorted[i] == m_bookmarks[i];
    if (bSame)
        return;
    m_bookmarks.Copy(sorted);
    MarkModified();
}

//////////////////////////////////////////////////////////////////////////////
// Line-ordered records

int CProjectFileEntry::FindLineSlot(const CPtrArray& records, int nLine, int (*pfnLine)(const void*),
                                    BOOL& bPresent)
{
    int i = 0;
    while (i < (int)records.GetSize() && pfnLine(records[i]) < nLine)
        i++;
    bPresent = i < (int)records.GetSize() && pfnLine(records[i]) == nLine;
    return i;
}

void CProjectFileEntry::MoveToLineSlot(CPtrArray& records, int nIndex, int (*pfnLine)(const void*))
{
    void* pRecord = records[nIndex];
    records.RemoveAt(nIndex);
    BOOL bPresent = FALSE;
    records.InsertAt(FindLineSlot(records, pfnLine(pRecord), pfnLine, bPresent), pRecord);
}

CNamedBookmark* CProjectFileEntry::AddNamedBookmark(int nLine, LPCTSTR pszName)
{
    if (pszName == NULL || *pszName == 0 || !IsSingleLine(pszName))
        return NULL;
    BOOL bPresent = FALSE;
    const int nSlot = FindLineSlot(m_namedBookmarks, nLine, NamedBookmarkLine, bPresent);
    if (bPresent)
        return NULL;
    CNamedBookmark* pBookmark = new CNamedBookmark(nLine, pszName);
    m_namedBookmarks.InsertAt(nSlot, pBookmark);
    MarkModified();
    return pBookmark;
}

CNamedBookmark* CProjectFileEntry::FindNamedBookmark(LPCTSTR pszName) const
{
    for (int i = 0; i < GetNamedBookmarkCount(); i++)
    {
        if (GetNamedBookmarkAt(i)->GetName().CompareNoCase(pszName) == 0)
            return GetNamedBookmarkAt(i);
    }
    return NULL;
}

void CProjectFileEntry::SetNamedBookmarkLine(int nIndex, int nLine)
{
    CNamedBookmark* pBookmark = GetNamedBookmarkAt(nIndex);
    if (pBookmark->m_nLine == nLine)
        return;
    pBookmark->m_nLine = nLine;
    MoveToLineSlot(m_namedBookmarks, nIndex, NamedBookmarkLine);
    MarkModified();
}

void CProjectFileEntry::RemoveNamedBookmarkAtLine(int nLine)
{
    BOOL bPresent = FALSE;
    const int nSlot = FindLineSlot(m_namedBookmarks, nLine, NamedBookmarkLine, bPresent);
    if (bPresent)
        RemoveNamedBookmarkAt(nSlot);
}

void CProjectFileEntry::RemoveNamedBookmarkAt(int nIndex)
{
    delete GetNamedBookmarkAt(nIndex);
    m_namedBookmarks.RemoveAt(nIndex);
    MarkModified();
}

void CProjectFileEntry::RemoveAllNamedBookmarks()
{
    while (GetNamedBookmarkCount() > 0)
        RemoveNamedBookmarkAt(GetNamedBookmarkCount() - 1);
}

CBreakpoint* CProjectFileEntry::AddBreakpoint(int nLine)
{
    BOOL bPresent = FALSE;
    const int nSlot = FindLineSlot(m_breakpoints, nLine, BreakpointLine, bPresent);
    if (bPresent)
        return NULL;
    CBreakpoint* pBreakpoint = new CBreakpoint;
    pBreakpoint->SetFileName(GetFileName());
    pBreakpoint->SetLine(nLine);
    pBreakpoint->SetOwner(this);
    m_breakpoints.InsertAt(nSlot, pBreakpoint);
    MarkModified();
    return pBreakpoint;
}

CBreakpoint* CProjectFileEntry::FindBreakpoint(int nLine) const
{
    BOOL bPresent = FALSE;
    const int nSlot = FindLineSlot(m_breakpoints, nLine, BreakpointLine, bPresent);
    return bPresent ? GetBreakpointAt(nSlot) : NULL;
}

void CProjectFileEntry::SetBreakpointLine(int nIndex, int nLine)
{
    CBreakpoint* pBreakpoint = GetBreakpointAt(nIndex);
    if (pBreakpoint->GetLine() == nLine)
        return;
    pBreakpoint->SetLine(nLine);
    MoveToLineSlot(m_breakpoints, nIndex, BreakpointLine);
}

void CProjectFileEntry::RemoveBreakpointAtLine(int nLine)
{
    BOOL bPresent = FALSE;
    const int nSlot = FindLineSlot(m_breakpoints, nLine, BreakpointLine, bPresent);
    if (bPresent)
        RemoveBreakpointAt(nSlot);
}

void CProjectFileEntry::RemoveBreakpointAt(int nIndex)
{
    delete GetBreakpointAt(nIndex);
    m_breakpoints.RemoveAt(nIndex);
    MarkModified();
}

void CProjectFileEntry::RemoveAllBreakpoints()
{
    while (GetBreakpointCount() > 0)
        RemoveBreakpointAt(GetBreakpointCount() - 1);
}

BOOL CProjectFileEntry::AreAllBreakpointsDisabled() const
{
    for (int i = 0; i < GetBreakpointCount(); i++)
    {
        if (GetBreakpointAt(i)->GetEnabled())
            return FALSE;
    }
    return TRUE;
}

void CProjectFileEntry::EnableAllBreakpoints(BOOL bEnable)
{
    for (int i = 0; i < GetBreakpointCount(); i++)
        GetBreakpointAt(i)->SetEnabled(bEnable);
}

void CProjectFileEntry::ResetBreakpointCounters()
{
    for (int i = 0; i < GetBreakpointCount(); i++)
        GetBreakpointAt(i)->ResetCounters();
}

//////////////////////////////////////////////////////////////////////////////
// Line shifting

template <class TLineOf, class TRemoveAt, class TSetLine>
BOOL CProjectFileEntry::ShiftRecordLines(int nCount, int nLine, int nDelta, TLineOf lineOf, TRemoveAt removeAt,
                                         TSetLine setLine)
{
    // From the end, so that a removal leaves the records still to visit where they are.
    // Every record that moves moves by the same amount and the dropped ones lie between
    // those that stay and those that move: the list stays in line order.
    BOOL bChanged = FALSE;
    for (int i = nCount - 1; i >= 0; i--)
    {
        const int nRecordLine = lineOf(i);
        if (nDelta < 0 && nRecordLine >= nLine && nRecordLine <= nLine - nDelta)
        {
            removeAt(i);
            bChanged = TRUE;
        }
        else if (nRecordLine > nLine)
        {
            setLine(i, nRecordLine + nDelta);
            bChanged = TRUE;
        }
    }
    return bChanged;
}

int CProjectFileEntry::ShiftLines(int nLine, int nDelta)
{
    if (nDelta == 0)
        return 0;
    int nShifted = 0;
    if (ShiftRecordLines(
            (int)m_bookmarks.GetSize(), nLine, nDelta, [&](int i) { return (int)m_bookmarks[i]; },
            [&](int i) { m_bookmarks.RemoveAt(i); }, [&](int i, int n) { m_bookmarks[i] = (DWORD)n; }))
    {
        nShifted |= SHIFTED_BOOKMARKS;
    }
    if (ShiftRecordLines(
            GetNamedBookmarkCount(), nLine, nDelta, [&](int i) { return GetNamedBookmarkAt(i)->m_nLine; },
            [&](int i) {
                delete GetNamedBookmarkAt(i);
                m_namedBookmarks.RemoveAt(i);
            },
            [&](int i, int n) { GetNamedBookmarkAt(i)->m_nLine = n; }))
    {
        nShifted |= SHIFTED_NAMED_BOOKMARKS;
    }
    if (ShiftRecordLines(
            GetBreakpointCount(), nLine, nDelta, [&](int i) { return GetBreakpointAt(i)->GetLine(); },
            [&](int i) {
                delete GetBreakpointAt(i);
                m_breakpoints.RemoveAt(i);
            },
            [&](int i, int n) { GetBreakpointAt(i)->SetLine(n); }))
    {
        nShifted |= SHIFTED_BREAKPOINTS;
    }
    if (nShifted != 0)
        MarkModified();
    return nShifted;
}

//////////////////////////////////////////////////////////////////////////////
// Building

BOOL CProjectFileEntry::IsOutputOutOfDate() const
{
    ULONGLONG nSourceTime = 0, nOutputTime = 0;
    if (!GetLastWriteTime(m_strPath, nSourceTime) || !GetLastWriteTime(GetOutputPath(), nOutputTime))
        return TRUE;
    return nOutputTime < nSourceTime;
}

BOOL CProjectFileEntry::Compile()
{
    const CProjectServices& services = m_pOwner->GetServices();
    IOutputPane& output = services.Output();
    output.ShowPage();
    output.AppendText(GetFileName() + "\n");

    const CString strCompiler = m_pOwner->GetCompilerPath();
    if (strCompiler.IsEmpty())
    {
        output.AppendText("Unsupported Lua version\n");
        return FALSE;
    }

    const CString strOutputPath = GetOutputPath();
    CString strCommand;
    strCommand.Format("\"%s\" -o \"%s\" \"%s\"", strCompiler.GetString(), strOutputPath.GetString(),
                      m_strPath.GetString());
    CString strText;
    DWORD dwExitCode = 0;
    if (!services.RunCommand(strCommand, strText, dwExitCode))
    {
        output.AppendText("Cannot start compiler " + strCompiler + "\n");
        if (!PathExists(strCompiler))
            output.AppendText(MissingFileText("The compiler " + FileNameOfPath(strCompiler), strCompiler));
        return FALSE;
    }
    if (!strText.IsEmpty())
    {
        output.AppendText(strText);
        return FALSE;
    }
    if (dwExitCode != 0)
    {
        CString strMessage;
        strMessage.Format("Compiler exited with code %lu\n", dwExitCode);
        output.AppendText(strMessage);
        return FALSE;
    }
    if (!PathExists(strOutputPath))
    {
        output.AppendText("Compiler left no output file " + strOutputPath + "\n");
        return FALSE;
    }
    return TRUE;
}

BOOL CProjectFileEntry::DeleteOutputFile()
{
    const CString strOutputPath = GetOutputPath();
    if (m_pOwner->IsProtectedFile(strOutputPath))
        return FALSE;
    return ::DeleteFileA(strOutputPath);
}
