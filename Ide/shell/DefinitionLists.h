// Readers of the plain-text lists that lie next to the program: user word lists (*.uwl),
// seven classes of extra words for the editor's keyword styles, and function-definition
// lists (*.fdl), the functions and tables of Lua libraries outside any project. The
// application object calls them once at start-up.
#pragma once

#include <afx.h>

class COutline;
class COutlineFile;

enum { USER_WORD_CLASSES = 7 };

// Adds the words of every *.uwl file of the folder to the seven strings (words separated
// by single blanks, in file order). Files are read in name order; one that cannot be
// read is skipped. Returns the number of files read.
int LoadUserWordLists(LPCTSTR pszFolder, CString (&words)[USER_WORD_CLASSES]);
// One *.uwl file; FALSE when it cannot be read.
BOOL LoadUserWordFile(LPCTSTR pszPath, CString (&words)[USER_WORD_CLASSES]);

// Adds one outline file (flag 1, no project entry) per *.fdl file of the folder, named
// after the file without its extension. Files are read in name order; one that cannot
// be read, or whose name is empty or taken already, is skipped. Returns the number of
// files loaded.
int LoadFunctionDefinitions(LPCTSTR pszFolder, COutline& outline);
// One *.fdl file; its outline file, or NULL when it was skipped.
COutlineFile* LoadFunctionDefinitionFile(LPCTSTR pszPath, COutline& outline);
