// CLocalVariablesPage: the Variables bar's page of the stopped script's local variables.
#pragma once

#include "CExtResizablePropertyPage.h"

class CLocalVariablesPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CLocalVariablesPage)
public:
    CLocalVariablesPage();
};
