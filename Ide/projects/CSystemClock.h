// CSystemClock: the system's local time.
#pragma once

#include "IClock.h"

class CSystemClock : public IClock
{
public:
    virtual CTime GetCurrentTime() { return CTime::GetCurrentTime(); }
};
