// Path helpers of the project engine.
#pragma once

#include <afx.h>

// The path of a file relative to a directory, as ".\src\a.lua" or "..\lib\b.lua". When
// none can be formed (another drive, a path too long for the system's path functions)
// the full path itself, which CombineProjectPath takes back unchanged.
CString MakeRelativePath(LPCTSTR pszDirectory, LPCTSTR pszFullPath);
// The full path of a stored path: relative ones are taken from the directory.
CString CombineProjectPath(LPCTSTR pszDirectory, LPCTSTR pszStoredPath);

// "C:\p\src\main.lua": "C:\p\src\", "main.lua", "main", ".lua" ("" without a dot).
CString DirectoryOfPath(const CString& strPath);
CString FileNameOfPath(const CString& strPath);
CString TitleOfFileName(const CString& strFileName);
CString ExtensionOfFileName(const CString& strFileName);

// The full form of a path, with "." and ".." resolved; the path itself when that fails.
CString CanonicalPath(LPCTSTR pszPath);
// The full form, lower-cased: equal keys name the same file.
CString PathKey(LPCTSTR pszPath);

BOOL PathExists(LPCTSTR pszPath);
BOOL DirectoryExists(LPCTSTR pszPath);
// Creates the directory and every missing level above it; TRUE when it exists at the end.
BOOL CreateDirectoryPath(LPCTSTR pszPath);
