#include "CIdleDebugSession.h"

void CIdleDebugSession::RequestVariableValue(LPCTSTR /*pszName*/, int /*nLevel*/, CVornView* /*pView*/)
{
    // No script runs: there is nothing to evaluate and no answer will come.
}

void CIdleDebugSession::ForgetView(CVornView* /*pView*/)
{
}
