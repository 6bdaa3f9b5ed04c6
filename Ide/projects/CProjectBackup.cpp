// Backup: every project file and the project file itself go into a ZIP archive in the
// backup directory, named by the user's pattern. The archive is written under a
// temporary name and only a complete archive takes its place, so a failed backup
// never damages an earlier one.
#include "CProject.h"

#include "CAtomicFile.h"
#include "ProjectPaths.h"

#include <zip.h>

namespace
{
const int kMaxArchiveNumber = 9999;
const DWORD kCopyChunk = 64 * 1024;

enum EArchiveResult
{
    archiveAdded,
    archiveUnreadable,
    archiveWriteFailed
};

void SetEntryTime(zip_fileinfo& info, const FILETIME& ftWrite)
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ftWrite, &ftLocal) || !::FileTimeToSystemTime(&ftLocal, &st))
        return;
    info.tmz_date.tm_sec = st.wSecond;
    info.tmz_date.tm_min = st.wMinute;
    info.tmz_date.tm_hour = st.wHour;
    info.tmz_date.tm_mday = st.wDay;
    info.tmz_date.tm_mon = st.wMonth - 1;
    info.tmz_date.tm_year = st.wYear;
}

// Adds the file's content under the name. An unreadable file adds nothing.
EArchiveResult AddFileToArchive(zipFile zf, LPCTSTR pszPath, LPCTSTR pszEntryName)
{
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return archiveUnreadable;

    zip_fileinfo info;
    ZeroMemory(&info, sizeof(info));
    FILETIME ftWrite;
    if (::GetFileTime(hFile, NULL, NULL, &ftWrite))
        SetEntryTime(info, ftWrite);

    EArchiveResult result = archiveWriteFailed;
    if (zipOpenNewFileInZip(zf, pszEntryName, &info, NULL, 0, NULL, 0, NULL, Z_DEFLATED, Z_DEFAULT_COMPRESSION)
        == ZIP_OK)
    {
        BYTE* pBuffer = new BYTE[kCopyChunk];
        BOOL bOk = TRUE;
        for (;;)
        {
            DWORD dwRead = 0;
            if (!::ReadFile(hFile, pBuffer, kCopyChunk, &dwRead, NULL))
            {
                bOk = FALSE;
                break;
            }
            if (dwRead == 0)
                break;
            if (zipWriteInFileInZip(zf, pBuffer, dwRead) != ZIP_OK)
            {
                bOk = FALSE;
                break;
            }
        }
        delete[] pBuffer;
        if (zipCloseFileInZip(zf) == ZIP_OK && bOk)
            result = archiveAdded;
    }
    ::CloseHandle(hFile);
    return result;
}

CString ArchiveEntryName(const CString& strPath)
{
    CString strName(strPath);
    strName.Replace('\\', '/');
    return strName;
}
} // namespace

CString CProject::FormatBackupName(LPCTSTR pszPattern, LPCTSTR pszProjectName, const CTime& time)
{
    CString strName(pszPattern);
    // The project name goes in last, so a name holding "%Date" stays as it is.
    strName.Replace("%Date", time.Format("%d%b%y"));
    strName.Replace("%Time", time.Format("%Hh%Mm"));
    strName.Replace("%ProjName", pszProjectName);
    return strName;
}

void CProject::ReportBackupFailure(LPCTSTR pszText)
{
    IOutputPane& output = m_services.Output();
    output.ShowPage();
    output.AppendText(pszText);
}

BOOL CProject::Backup()
{
    if (GetFileCount() == 0)
        return TRUE;
    const CString strDirectory = WithTrailingBackslash(GetBackupDirectory());
    if (!CreateBackupDirectoryPath())
    {
        ReportBackupFailure("Backup failed: cannot create the backup directory " + strDirectory + "\n");
        return FALSE;
    }

    const CAppSettings& settings = m_services.Settings();
    CString strName = FormatBackupName(settings.m_strProjsBackupFileName, m_strName, m_services.Clock().GetCurrentTime());
    if (settings.m_nProjsBackupIncrementFileName)
    {
        CString strSuffix;
        int nNumber = 1;
        for (; nNumber <= kMaxArchiveNumber; nNumber++)
        {
            strSuffix.Format(nNumber < 10 ? "0%d" : "%d", nNumber);
            if (!PathExists(strDirectory + strName + strSuffix + ".zip"))
                break;
        }
        if (nNumber > kMaxArchiveNumber)
        {
            ReportBackupFailure("Backup failed: no free archive number for " + strDirectory + strName + "\n");
            return FALSE;
        }
        strName += strSuffix;
    }
    const CString strArchivePath = strDirectory + strName + ".zip";
    if (IsProtectedFile(strArchivePath))
    {
        ReportBackupFailure("Backup failed: the archive " + strArchivePath + " would replace a project file\n");
        return FALSE;
    }

    CAtomicFile archive;
    zipFile zf = archive.Open(strArchivePath, FALSE) ? zipOpen(archive.GetTempPath(), APPEND_STATUS_CREATE) : NULL;
    if (zf == NULL)
    {
        ReportBackupFailure("Backup failed: cannot create the archive " + strArchivePath + "\n");
        return FALSE;
    }

    CStringArray sources;
    for (int i = 0; i < GetFileCount(); i++)
        sources.Add(GetFileAt(i)->GetPath());
    sources.Add(GetProjectFilePath());

    BOOL bWritten = TRUE;
    for (INT_PTR i = 0; i < sources.GetSize() && bWritten; i++)
    {
        const EArchiveResult result = AddFileToArchive(zf, sources[i], ArchiveEntryName(sources[i]));
        if (result == archiveUnreadable)
            ReportBackupFailure("Backup: cannot read " + sources[i] + "; it is not in the archive\n");
        bWritten = result != archiveWriteFailed;
    }
    bWritten = zipClose(zf, NULL) == ZIP_OK && bWritten;
    if (!bWritten || !archive.Commit())
    {
        ReportBackupFailure("Backup failed: cannot write the archive " + strArchivePath + "\n");
        return FALSE;
    }
    return TRUE;
}
