// IApiErrorSink: where a failed system call is reported, by the name of the step that
// made it and the system's error code. The application shows it in a message box.
#pragma once

#include <afx.h>

class IApiErrorSink
{
public:
    virtual ~IApiErrorSink() {}
    virtual void ShowApiError(LPCTSTR pszStep, DWORD dwError) = 0;
};
