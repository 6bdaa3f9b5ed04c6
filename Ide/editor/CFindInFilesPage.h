// CFindInFilesPage: the third page of the Output bar, where Find in Files lists its hits.
#pragma once

#include "CScintillaViewPage.h"

class CFindInFilesPage : public CScintillaViewPage
{
    DECLARE_DYNAMIC(CFindInFilesPage)
public:
    CFindInFilesPage();
};
