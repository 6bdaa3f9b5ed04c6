#include "afximpl.h"

#include <errno.h>

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError)
    {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
        return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NO_MORE_FILES: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0: return none;
    case EPERM:
    case EACCES:
        return accessDenied;
    case EBADF: return invalidFile;
    case EDEADLOCK: return sharingViolation;
    case EMFILE: return tooManyOpenFiles;
    case ENOENT:
    case ENFILE:
        return fileNotFound;
    case ENOSPC: return diskFull;
    case EINVAL:
    case EIO:
        return hardIO;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    static const char* const s_causeTexts[] = {
        "No error occurred while accessing %1.",
        "An unknown error occurred while accessing %1.",
        "%1 was not found.",
        "%1 contains an incorrect path.",
        "%1 could not be opened because there are too many open files.",
        "Access to %1 was denied.",
        "An incorrect file handle was associated with %1.",
        "%1 could not be removed because it is the current directory.",
        "%1 could not be created because the directory is full.",
        "Seek failed on %1.",
        "A hardware I/O error was reported while accessing %1.",
        "A sharing violation occurred while accessing %1.",
        "A locking violation occurred while accessing %1.",
        "Disk full while accessing %1.",
        "An attempt was made to access %1 past its end.",
    };
    return AfxCauseMessage(s_causeTexts, (int)(sizeof(s_causeTexts) / sizeof(s_causeTexts[0])), m_cause,
                           m_strFileName, "an unnamed file", lpszError, nMaxError, pnHelpContext);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
