#include "CDebugServer.h"

CDebugServer::CDebugServer() : m_nState(STATE_IDLE), m_bStoppedAtBreak(FALSE)
{
}

CDebugServer::~CDebugServer()
{
    Close();
}

void CDebugServer::Close()
{
    m_nState = STATE_IDLE;
    m_bStoppedAtBreak = FALSE;
}
