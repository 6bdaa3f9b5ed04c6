#include "FindHistory.h"

void UpdateFindHistory(CString* pEntries, int nCount, const CString& strText)
{
    if (strText.IsEmpty() || nCount <= 0)
        return;
    int nFrom = nCount - 1;
    for (int i = 0; i < nCount; i++)
    {
        if (pEntries[i] == strText)
        {
            nFrom = i;
            break;
        }
    }
    for (int i = nFrom; i > 0; i--)
        pEntries[i] = pEntries[i - 1];
    pEntries[0] = strText;
}
