#include "TrueTypeFontNames.h"

#include <set>
#include <string>

namespace
{
struct CaseLess
{
    bool operator()(const std::string& a, const std::string& b) const { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
};

// Called by the system: nothing may be thrown through it. Out of memory ends the
// enumeration with the names gathered so far.
int CALLBACK CollectFamily(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD dwFontType, LPARAM lParam)
{
    if ((dwFontType & TRUETYPE_FONTTYPE) == 0 || pLogFont->lfFaceName[0] == '@')
        return 1;
    try
    {
        reinterpret_cast<std::set<std::string, CaseLess>*>(lParam)->insert(pLogFont->lfFaceName);
    }
    catch (...)
    {
        return 0;
    }
    return 1;
}
} // namespace

void GetTrueTypeFontNames(CStringArray& names)
{
    names.RemoveAll();
    std::set<std::string, CaseLess> families;
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    HDC hDC = ::GetDC(NULL);
    ::EnumFontFamiliesExA(hDC, &logFont, CollectFamily, (LPARAM)&families, 0);
    ::ReleaseDC(NULL, hDC);
    for (const std::string& name : families)
        names.Add(name.c_str());
}
