// Paths of a project's files as the project file stores them: relative to the
// project directory where that leads back to the same file, else absolute.
#pragma once

#include "PathUtil.h"

// The path of a file relative to a directory, as ".\src\a.lua" or "..\lib\b.lua". When
// none can be formed (another drive, a path too long for the system's path functions)
// the full path itself, which CombineProjectPath takes back unchanged.
CString MakeRelativePath(LPCTSTR pszDirectory, LPCTSTR pszFullPath);
// The full path of a stored path: relative ones are taken from the directory.
CString CombineProjectPath(LPCTSTR pszDirectory, LPCTSTR pszStoredPath);
// A stored relative path as the user is shown it: "src\a.lua" for ".\src\a.lua";
// "..\lib\b.lua" and full paths stay as they are.
CString ShownRelativePath(const CString& strRelativePath);
