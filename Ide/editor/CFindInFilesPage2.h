// CFindInFilesPage2: the fourth page of the Output bar, the second list of Find in Files hits.
#pragma once

#include "CScintillaViewPage.h"

class CFindInFilesPage2 : public CScintillaViewPage
{
    DECLARE_DYNAMIC(CFindInFilesPage2)
public:
    CFindInFilesPage2();
};
