// Test support: the debug-interface library loaded and bound as the IDE does it.
#pragma once

#include <windows.h>

#include "VornDebugInt.h"

// The debug-interface library as the IDE binds it.
class CDebugInterfaceLibrary
{
public:
    HMODULE m_hModule = NULL;
    VornDebugInt_Initialize_t m_pInitialize = NULL;
    VornDebugInt_Connect_t m_pConnect = NULL;
    VornDebugInt_ExecuteFile_t m_pExecuteFile = NULL;
    VornDebugInt_Disconnect_t m_pDisconnect = NULL;
    VornDebugInt_Shutdown_t m_pShutdown = NULL;

    bool Load()
    {
        m_hModule = ::LoadLibraryA("VornDebugInt51.dll");
        if (m_hModule == NULL)
            return false;
        m_pInitialize = (VornDebugInt_Initialize_t)::GetProcAddress(m_hModule, "VornDebugInt_Initialize");
        m_pConnect = (VornDebugInt_Connect_t)::GetProcAddress(m_hModule, "VornDebugInt_Connect");
        m_pExecuteFile = (VornDebugInt_ExecuteFile_t)::GetProcAddress(m_hModule, "VornDebugInt_ExecuteFile");
        m_pDisconnect = (VornDebugInt_Disconnect_t)::GetProcAddress(m_hModule, "VornDebugInt_Disconnect");
        m_pShutdown = (VornDebugInt_Shutdown_t)::GetProcAddress(m_hModule, "VornDebugInt_Shutdown");
        return m_pInitialize && m_pConnect && m_pExecuteFile && m_pDisconnect && m_pShutdown;
    }
    void Free()
    {
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
        m_hModule = NULL;
        m_pExecuteFile = NULL;
    }
};
