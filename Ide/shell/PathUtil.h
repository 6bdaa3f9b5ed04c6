// Path helpers shared by the IDE: parts of a path, the program's folder, and the
// file system questions every engine asks. Separators are "\" and "/"; scans are
// multibyte aware, so a trail byte that looks like a backslash ends no name.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// The program's own executable, with its folder ("" when the system cannot say).
CString VornGetProgramPath();
// The directory of the program's own executable, ending with "\".
CString VornGetProgramDirectory();

// A directory path that ends with a separator: "\" is appended when it has none (an
// empty path stays empty).
CString WithTrailingBackslash(const CString& strPath);

// "C:\p\src\main.lua": "C:\p\src\", "main.lua"; of a file name "main.lua": "main" and
// ".lua" ("" without a dot).
CString DirectoryOfPath(const CString& strPath);
CString FileNameOfPath(const CString& strPath);
CString TitleOfFileName(const CString& strFileName);
CString ExtensionOfFileName(const CString& strFileName);
// What the IDE accepts in an extension after its dot: ASCII letters, digits, "_", "-".
BOOL IsPlainExtensionCharacter(char ch);

// The full form of a path, with "." and ".." resolved; the path itself when that fails.
CString CanonicalPath(LPCTSTR pszPath);
// The full form, lower-cased: equal keys name the same file.
CString PathKey(LPCTSTR pszPath);

BOOL PathExists(LPCTSTR pszPath);
BOOL DirectoryExists(LPCTSTR pszPath);
// Creates the directory and every missing level above it; TRUE when it exists at the end.
BOOL CreateDirectoryPath(LPCTSTR pszPath);

// The files (not folders) of the folder that match the pattern, as full paths, in name
// order without regard to case.
void ListFolderFiles(LPCTSTR pszFolder, LPCTSTR pszPattern, CStringArray& paths);
