// CFindInFilesPage: the third page of the Output bar, where Find in Files lists its hits.
#pragma once

#include "CExtResizablePropertyPage.h"

class CFindInFilesPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CFindInFilesPage)
public:
    CFindInFilesPage();
};
