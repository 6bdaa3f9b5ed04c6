// IClock: the current local time; backups name their archives by it.
#pragma once

#include <afx.h>

class IClock
{
public:
    virtual ~IClock() {}
    virtual CTime GetCurrentTime() = 0;
};
