// The searching half of findstr.exe, kept apart from the program so it can be
// tested without starting processes.
#pragma once
#include <string>

struct FindstrRequest
{
    bool bNumberLines = false;     // /n
    bool bIgnoreCase = false;      // /i
    std::string strSearch;         // /c:"..." literal text
    std::string strFile;
};

// Reads findstr's command line (as the process received it, program name
// included). The search text runs from the quote after /c: to the last quote of
// the line, so a text holding quotes passes unchanged; what follows is the file
// name, spaces and all. Returns false when no /c: text or no file is given.
bool ParseFindstrCommandLine(const char* pszCommandLine, FindstrRequest& request);

// Appends one output line per line of text that contains the search text:
// "<number>:" when numbering, then the line without its end, then CR LF.
// Returns the number of matching lines.
int SearchText(const FindstrRequest& request, const std::string& text, std::string& output);
