// Helpers shared by the editor engine tests.
#pragma once

#include "COutline.h"
#include "CTextLineSource.h"

#include <string>
#include <vector>

// Tokenizes the text and gives each token as "class:code:text@line:column".
std::vector<std::string> TokenStrings(const char* pszText);

// One line per node of the file, sorted, with everything the parser decides about it:
// kind, qualified name, flags, line, owner, parameters, result table, base, constructor
// name, and the owner records of functions; then the order of the file's nodes. Equal
// dumps mean equal outlines.
std::string DumpOutline(COutlineFile* pFile);

// The lines of one dump that the other lacks, marked "-" (only in the first) and "+".
std::string DumpDifference(const std::string& first, const std::string& second);

// Parses the text into a new file of the outline (a first parse).
COutlineFile* ParseText(COutline& outline, const char* pszName, const char* pszText);

// The bytes of a fixture file (next to the test program), or an empty string.
std::string ReadFixture(const char* pszName);
