// The project file: a sequence of sections of key lines ("Key="value"") and raw lines,
// each section closed by "[End]" and an empty line. The writer is exact; the reader
// reads everything the writer writes and skips what it does not know.
#include "CProject.h"

#include "CAtomicFile.h"
#include "CLineReader.h"
#include "KeyValueText.h"
#include "ProjectPaths.h"

#include <stdlib.h>

namespace
{
const char kVersion[] = "1.00";
const int kBookmarksPerLine = 10;

void AppendLine(CString& strText, LPCTSTR pszLine)
{
    strText += pszLine;
    strText += '\n';
}

// A value that would break its line is kept on one line.
void AppendKeyValue(CString& strText, LPCTSTR pszKey, LPCTSTR pszValue)
{
    CString strValue(pszValue);
    strValue.Replace('\r', ' ');
    strValue.Replace('\n', ' ');
    AppendLine(strText, FormatKeyValue(pszKey, strValue));
}

void AppendKeyValue(CString& strText, LPCTSTR pszKey, int nValue)
{
    CString strValue;
    strValue.Format("%d", nValue);
    AppendLine(strText, FormatKeyValue(pszKey, strValue));
}

// Raw lines that could not be read back as they are (empty, "[End]", line breaks)
// are left out rather than corrupt the file.
void AppendRawLine(CString& strText, LPCTSTR pszLine)
{
    if (IsStorableRawLine(pszLine))
        AppendLine(strText, pszLine);
}

void AppendSectionEnd(CString& strText)
{
    AppendLine(strText, "[End]\n");
}

// The next non-empty line of the section; FALSE at its end or at the end of the file.
BOOL ReadSectionLine(CLineReader& reader, CString& strLine)
{
    while (reader.ReadLine(strLine))
    {
        if (IsSectionEnd(strLine))
            return FALSE;
        if (!strLine.IsEmpty())
            return TRUE;
    }
    return FALSE;
}

// A section of one raw line per element.
CString RawListSection(LPCTSTR pszHeader, const CStringArray& lines)
{
    CString strText;
    AppendLine(strText, pszHeader);
    for (INT_PTR i = 0; i < lines.GetSize(); i++)
        AppendRawLine(strText, lines[i]);
    AppendSectionEnd(strText);
    return strText;
}

void ReadRawList(CLineReader& reader, CStringArray& lines)
{
    CString strLine;
    while (ReadSectionLine(reader, strLine))
        lines.Add(strLine);
}

// "4,17,120," gives 4, 17 and 120; text after the last comma is ignored.
void ReadBookmarkList(CProjectFileEntry* pEntry, const CString& strList)
{
    int nStart = 0;
    for (int nComma = strList.Find(','); nComma >= 0; nComma = strList.Find(',', nStart))
    {
        pEntry->AddBookmark((UINT)atoi(strList.Mid(nStart, nComma - nStart)));
        nStart = nComma + 1;
    }
}

// "name with blanks (12)": the name is split off at the last blank.
void ReadNamedBookmark(CProjectFileEntry* pEntry, const CString& strValue)
{
    const int nBlank = strValue.ReverseFind(' ');
    if (nBlank < 0)
        return;
    CString strLine = strValue.Mid(nBlank + 2);
    strLine.Remove(')');
    pEntry->AddNamedBookmark(atoi(strLine), strValue.Left(nBlank));
}
} // namespace

//////////////////////////////////////////////////////////////////////////////
// Writing

BOOL CProject::Save()
{
    // A bookmark moved in an open editor marks the project modified here.
    if (!m_bLoadFailed)
        StoreOpenViewsBookmarks();
    if (!m_bModified)
        return TRUE;
    BOOL bSaved = FALSE;
    // A project that failed to load would overwrite the file it could not read.
    if (!m_bLoadFailed)
    {
        RefreshOpenDocuments();
        const CString strText = WriteProjectSection() + WriteConfigurationsSection() + WriteFoldersSection()
            + WriteFilesSection() + WriteOpenDocumentsSection() + WriteWatchesSection() + WriteBreakpointsSection()
            + WriteFileHotlistSection();
        bSaved = CAtomicFile::WriteWholeFile(GetProjectFilePath(), strText);
    }
    if (!bSaved)
    {
        m_services.Host().ShowMessage("Failed to save project.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_bModified = FALSE;
    return TRUE;
}

void CProject::RefreshOpenDocuments()
{
    if (m_services.m_pHost == NULL)
        return;
    IProjectHost& host = *m_services.m_pHost;
    m_openDocuments.RemoveAll();
    if (!host.GetActiveEditor(m_strActiveDocument, m_nPosition))
    {
        m_strActiveDocument.Empty();
        m_nPosition = 0;
        return;
    }
    CStringArray paths;
    host.GetOpenDocumentPaths(paths);
    for (INT_PTR i = 0; i < paths.GetSize(); i++)
    {
        const CProjectFileEntry* pEntry = FindFileByPath(paths[i]);
        if (pEntry != NULL)
            m_openDocuments.Add(pEntry->GetFileName());
    }
}

CString CProject::WriteProjectSection() const
{
    CString strText;
    AppendLine(strText, "[Vorn Project]");
    AppendKeyValue(strText, "Version", kVersion);
    AppendKeyValue(strText, "Name", m_strName);
    AppendSectionEnd(strText);
    return strText;
}

// The configuration's keys in file order, with the member each is written from and the
// setter it is read through.
struct CProject::CConfigurationKey
{
    LPCTSTR pszKey;
    CString CProject::*pString;
    void (CProject::*pfnSetString)(LPCTSTR);
    int CProject::*pInt;
    void (CProject::*pfnSetInt)(int);
};

const CProject::CConfigurationKey* CProject::GetConfigurationKeys(int& nCount)
{
    static const CConfigurationKey kKeys[] = {
        { "OutputDirectory", &CProject::m_strOutputDirectory, &CProject::SetOutputDirectory, NULL, NULL },
        { "OutputFileExt", &CProject::m_strOutputFileExt, &CProject::SetOutputFileExt, NULL, NULL },
        { "BackupDirectory", &CProject::m_strBackupDirectory, &CProject::SetBackupDirectory, NULL, NULL },
        { "DelOnlyProjFilesOnClean", NULL, NULL, &CProject::m_nDelOnlyProjFilesOnClean,
          &CProject::SetDelOnlyProjFilesOnClean },
        { "ProjectMainFile", &CProject::m_strProjectMainFile, &CProject::SetMainFile, NULL, NULL },
        { "LuaVersion", &CProject::m_strLuaVersion, &CProject::SetLuaVersion, NULL, NULL },
        { "ExecWith", &CProject::m_strExecWith, &CProject::SetExecWith, NULL, NULL },
        { "ExecCmdArgs", &CProject::m_strExecCmdArgs, &CProject::SetExecCmdArgs, NULL, NULL },
        { "ExecUseCompiledFiles", NULL, NULL, &CProject::m_nExecUseCompiledFiles, &CProject::SetExecUseCompiledFiles },
        { "DbgAttach", NULL, NULL, &CProject::m_nDbgAttach, &CProject::SetDbgAttach },
        { "DbgServerPort", NULL, NULL, &CProject::m_nDbgServerPort, &CProject::SetDbgServerPort },
        { "DbgClient", &CProject::m_strDbgClient, &CProject::SetDbgClient, NULL, NULL },
        { "DbgClientCmdArgs", &CProject::m_strDbgClientCmdArgs, &CProject::SetDbgClientCmdArgs, NULL, NULL },
    };
    nCount = (int)(sizeof(kKeys) / sizeof(kKeys[0]));
    return kKeys;
}

CString CProject::WriteConfigurationsSection() const
{
    CString strText;
    AppendLine(strText, "[Configurations]");
    int nCount = 0;
    const CConfigurationKey* pKeys = GetConfigurationKeys(nCount);
    for (int i = 0; i < nCount; i++)
    {
        if (pKeys[i].pString != NULL)
            AppendKeyValue(strText, pKeys[i].pszKey, this->*pKeys[i].pString);
        else
            AppendKeyValue(strText, pKeys[i].pszKey, this->*pKeys[i].pInt);
    }
    AppendSectionEnd(strText);
    return strText;
}

// Only the leaves: reading a leaf's path creates its parents.
static void AppendLeafFolders(const CProject& project, const CProjectFolder* pFolder, CString& strText)
{
    for (int i = 0; i < pFolder->GetChildCount(); i++)
    {
        const CProjectFolder* pChild = pFolder->GetChildAt(i);
        if (pChild->GetChildCount() == 0)
            AppendKeyValue(strText, "Folder", project.GetFolderPath(pChild));
        else
            AppendLeafFolders(project, pChild, strText);
    }
}

CString CProject::WriteFoldersSection() const
{
    CString strText;
    AppendLine(strText, "[Folders]");
    AppendLeafFolders(*this, &m_rootFolder, strText);
    AppendSectionEnd(strText);
    return strText;
}

CString CProject::WriteFilesSection() const
{
    CString strText;
    AppendLine(strText, "[Files]");
    for (int i = 0; i < GetFileCount(); i++)
    {
        const CProjectFileEntry* pEntry = GetFileAt(i);
        AppendLine(strText, ">File");
        AppendKeyValue(strText, "RelativePath", pEntry->GetRelativePath());
        AppendKeyValue(strText, "ProjectFolder", GetFileFolderPath(pEntry));
        for (int nFirst = 0; nFirst < pEntry->GetBookmarkCount(); nFirst += kBookmarksPerLine)
        {
            CString strList;
            for (int j = nFirst; j < nFirst + kBookmarksPerLine && j < pEntry->GetBookmarkCount(); j++)
                strList.AppendFormat("%u,", pEntry->GetBookmarkAt(j));
            AppendKeyValue(strText, "Bookmarks", strList);
        }
        for (int j = 0; j < pEntry->GetNamedBookmarkCount(); j++)
        {
            const CNamedBookmark* pBookmark = pEntry->GetNamedBookmarkAt(j);
            CString strValue;
            strValue.Format("%s (%d)", pBookmark->GetName().GetString(), pBookmark->GetLine());
            AppendKeyValue(strText, "NamedBookmark", strValue);
        }
        AppendLine(strText, "File<");
    }
    AppendSectionEnd(strText);
    return strText;
}

CString CProject::WriteOpenDocumentsSection()
{
    CString strText;
    AppendLine(strText, "[OpenDocumentsList]");
    for (INT_PTR i = 0; i < m_openDocuments.GetSize(); i++)
        AppendRawLine(strText, m_openDocuments[i]);
    AppendKeyValue(strText, "ActiveDocument", m_strActiveDocument);
    AppendKeyValue(strText, "Position", m_nPosition);
    AppendSectionEnd(strText);
    return strText;
}

CString CProject::WriteWatchesSection() const
{
    return RawListSection("[WatchesList]", m_watches);
}

CString CProject::WriteBreakpointsSection() const
{
    CString strText;
    AppendLine(strText, "[Breakpoints]");
    for (int i = 0; i < GetFileCount(); i++)
    {
        const CProjectFileEntry* pEntry = GetFileAt(i);
        for (int j = 0; j < pEntry->GetBreakpointCount(); j++)
        {
            const CBreakpoint* pBreakpoint = pEntry->GetBreakpointAt(j);
            AppendLine(strText, ">Breakpoint");
            AppendKeyValue(strText, "Enabled", pBreakpoint->GetEnabled());
            AppendKeyValue(strText, "File", pEntry->GetRelativePath());
            AppendKeyValue(strText, "Line", pBreakpoint->GetLine());
            AppendKeyValue(strText, "ConditionEnable", pBreakpoint->GetConditionEnable());
            AppendKeyValue(strText, "ConditionExpression", pBreakpoint->GetCondition());
            AppendKeyValue(strText, "Condition", pBreakpoint->GetConditionType());
            AppendKeyValue(strText, "HitCountBreakWhen", pBreakpoint->GetHitCountBreakWhen());
            AppendKeyValue(strText, "HitCountBreak", pBreakpoint->GetHitCountBreak());
            AppendLine(strText, "Breakpoint<");
        }
    }
    AppendSectionEnd(strText);
    return strText;
}

CString CProject::WriteFileHotlistSection() const
{
    return RawListSection("[FileHotlist]", m_fileHotlist);
}

//////////////////////////////////////////////////////////////////////////////
// Reading

BOOL CProject::Load()
{
    typedef BOOL (CProject::*PFN_READ_SECTION)(CLineReader&);
    static const struct
    {
        LPCTSTR pszHeader;
        PFN_READ_SECTION pfnRead;
    } kSections[] = {
        { "[Vorn Project]", &CProject::ReadProjectSection },
        { "[Configurations]", &CProject::ReadConfigurationsSection },
        { "[Folders]", &CProject::ReadFoldersSection },
        { "[Files]", &CProject::ReadFilesSection },
        { "[OpenDocumentsList]", &CProject::ReadOpenDocumentsSection },
        { "[WatchesList]", &CProject::ReadWatchesSection },
        { "[Breakpoints]", &CProject::ReadBreakpointsSection },
        { "[FileHotlist]", &CProject::ReadFileHotlistSection },
    };

    m_bLoadFailed = TRUE;
    CLineReader reader;
    if (!reader.Open(GetProjectFilePath()))
        return FALSE;
    CString strLine;
    while (reader.ReadLine(strLine))
    {
        for (const auto& section : kSections)
        {
            if (strLine.CompareNoCase(section.pszHeader) == 0)
            {
                if (!(this->*section.pfnRead)(reader))
                    return FALSE;
                break;
            }
        }
    }
    // What was read is what the file holds: nothing to save yet.
    m_bLoadFailed = FALSE;
    m_bModified = FALSE;
    return TRUE;
}

BOOL CProject::ReadProjectSection(CLineReader& reader)
{
    CString strLine, strKey, strValue;
    if (!ReadSectionLine(reader, strLine))
        return FALSE;
    SplitKeyValue(strLine, strKey, strValue);
    if (strKey.CompareNoCase("Version") != 0 || strValue.CompareNoCase(kVersion) != 0)
        return FALSE;
    if (!ReadSectionLine(reader, strLine))
        return FALSE;
    SplitKeyValue(strLine, strKey, strValue);
    if (strKey.CompareNoCase("Name") != 0 || strValue.CompareNoCase(m_strName) != 0)
        return FALSE;
    while (ReadSectionLine(reader, strLine))
        ;
    return TRUE;
}

BOOL CProject::ReadConfigurationsSection(CLineReader& reader)
{
    int nCount = 0;
    const CConfigurationKey* pKeys = GetConfigurationKeys(nCount);
    CString strLine, strKey, strValue;
    while (ReadSectionLine(reader, strLine))
    {
        SplitKeyValue(strLine, strKey, strValue);
        for (int i = 0; i < nCount; i++)
        {
            if (strKey.CompareNoCase(pKeys[i].pszKey) != 0)
                continue;
            if (pKeys[i].pfnSetString != NULL)
                (this->*pKeys[i].pfnSetString)(strValue);
            else
                (this->*pKeys[i].pfnSetInt)(atoi(strValue));
            break;
        }
    }
    return TRUE;
}

BOOL CProject::ReadFoldersSection(CLineReader& reader)
{
    CString strLine, strKey, strValue;
    while (ReadSectionLine(reader, strLine))
    {
        SplitKeyValue(strLine, strKey, strValue);
        if (strKey.CompareNoCase("Folder") == 0)
            CreateFolderPath(strValue, FALSE);
    }
    return TRUE;
}

BOOL CProject::ReadFilesSection(CLineReader& reader)
{
    CString strLine, strKey, strRelativePath, strFolder, strValue;
    while (ReadSectionLine(reader, strLine))
    {
        if (strLine.CompareNoCase(">File") != 0)
            continue;
        // The two lines after the marker are the paths, whatever their keys.
        CString strPathLine, strFolderLine;
        if (!reader.ReadLine(strPathLine) || IsSectionEnd(strPathLine) || !reader.ReadLine(strFolderLine)
            || IsSectionEnd(strFolderLine))
            return TRUE;
        SplitKeyValue(strPathLine, strKey, strRelativePath);
        SplitKeyValue(strFolderLine, strKey, strFolder);

        CProjectFileEntry* pEntry = NULL;
        if (!strRelativePath.IsEmpty())
        {
            // "\A\B\" names the folder A\B\; a trailing backslash is part of a folder path.
            if (strFolder.Left(1) == "\\")
                strFolder.Delete(0);
            if (!strFolder.IsEmpty())
                CreateFolderPath(strFolder, FALSE);
            pEntry = AddFile(CombineProjectPath(m_strDirectory, strRelativePath), strFolder);
            if (pEntry == NULL)
                return FALSE;
        }

        while (reader.ReadLine(strLine) && strLine.CompareNoCase("File<") != 0)
        {
            if (IsSectionEnd(strLine))
                return TRUE;
            SplitKeyValue(strLine, strKey, strValue);
            if (pEntry == NULL)
                continue;
            if (strKey.CompareNoCase("Bookmarks") == 0)
                ReadBookmarkList(pEntry, strValue);
            else if (strKey.CompareNoCase("NamedBookmark") == 0)
                ReadNamedBookmark(pEntry, strValue);
        }
    }
    return TRUE;
}

BOOL CProject::ReadOpenDocumentsSection(CLineReader& reader)
{
    CString strLine, strKey, strValue, strPosition;
    while (ReadSectionLine(reader, strLine))
    {
        SplitKeyValue(strLine, strKey, strValue);
        if (strKey == "ActiveDocument")
            m_strActiveDocument = strValue;
        else if (strKey == "Position")
            strPosition = strValue;
        else
            m_openDocuments.Add(strLine);
    }
    m_nPosition = atoi(strPosition);
    return TRUE;
}

BOOL CProject::ReadWatchesSection(CLineReader& reader)
{
    ReadRawList(reader, m_watches);
    return TRUE;
}

BOOL CProject::ReadFileHotlistSection(CLineReader& reader)
{
    ReadRawList(reader, m_fileHotlist);
    return TRUE;
}

BOOL CProject::ReadBreakpointsSection(CLineReader& reader)
{
    enum { Enabled, File, Line, ConditionEnable, ConditionExpression, Condition, HitCountBreakWhen, HitCountBreak, KEY_COUNT };
    static const LPCTSTR kKeys[KEY_COUNT] = { "Enabled", "File", "Line", "ConditionEnable", "ConditionExpression",
                                              "Condition", "HitCountBreakWhen", "HitCountBreak" };

    CString strLine, strKey, strValue;
    while (ReadSectionLine(reader, strLine))
    {
        if (strLine.CompareNoCase(">Breakpoint") != 0)
            continue;
        CString values[KEY_COUNT];
        BOOL bSectionEnded = FALSE;
        while (reader.ReadLine(strLine) && strLine.CompareNoCase("Breakpoint<") != 0)
        {
            if (IsSectionEnd(strLine))
            {
                bSectionEnded = TRUE;
                break;
            }
            SplitKeyValue(strLine, strKey, strValue);
            for (int i = 0; i < KEY_COUNT; i++)
            {
                if (strKey.CompareNoCase(kKeys[i]) == 0)
                {
                    values[i] = strValue;
                    break;
                }
            }
        }
        // Breakpoints of files that are not in the project, or on a line that has one
        // already, are dropped.
        CProjectFileEntry* pEntry = FindFileByPath(CombineProjectPath(m_strDirectory, values[File]));
        CBreakpoint* pBreakpoint = pEntry != NULL ? pEntry->AddBreakpoint(atoi(values[Line])) : NULL;
        if (pBreakpoint != NULL)
        {
            pBreakpoint->SetEnabled(atoi(values[Enabled]));
            pBreakpoint->SetConditionEnable(atoi(values[ConditionEnable]));
            pBreakpoint->SetCondition(values[ConditionExpression]);
            pBreakpoint->SetConditionType(atoi(values[Condition]));
            pBreakpoint->SetHitCountBreakWhen(atoi(values[HitCountBreakWhen]));
            pBreakpoint->SetHitCountBreak(atoi(values[HitCountBreak]));
        }
        if (bSectionEnded)
            return TRUE;
    }
    return TRUE;
}
