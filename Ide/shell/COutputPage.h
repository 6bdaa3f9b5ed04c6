// COutputPage: the first page of the Output bar: the text that builds, compiles,
// runs and tools write.
#pragma once

#include "CScintillaViewPage.h"

class COutputPage : public CScintillaViewPage
{
    DECLARE_DYNAMIC(COutputPage)
public:
    COutputPage();
};
