// CGlobalVariablesPage: the Variables bar's page of the debugged script's global variables.
#pragma once

#include "CExtResizablePropertyPage.h"

class CGlobalVariablesPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CGlobalVariablesPage)
public:
    CGlobalVariablesPage();
};
