#include "MenuCaption.h"

CString MenuCaptionOf(LPCTSTR pszText)
{
    CString strCaption(pszText);
    strCaption.Replace("&", "&&");
    return strCaption;
}
