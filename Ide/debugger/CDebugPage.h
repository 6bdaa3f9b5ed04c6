// CDebugPage: the second page of the Output bar: the debug session's messages and the
// debugged program's output.
#pragma once

#include "CScintillaViewPage.h"

class CDebugPage : public CScintillaViewPage
{
    DECLARE_DYNAMIC(CDebugPage)
public:
    CDebugPage();
};
