// CFindInFilesPage2: the fourth page of the Output bar, the second list of Find in Files hits.
#pragma once

#include "CExtResizablePropertyPage.h"

class CFindInFilesPage2 : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CFindInFilesPage2)
public:
    CFindInFilesPage2();
};
