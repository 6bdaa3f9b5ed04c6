// CWatchVariablesPage: the Variables bar's page of the watch expressions and their values.
#pragma once

#include "CExtResizablePropertyPage.h"

class CWatchVariablesPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CWatchVariablesPage)
public:
    CWatchVariablesPage();
};
