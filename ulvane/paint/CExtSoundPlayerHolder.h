// CExtSoundPlayerHolder: the owner of the process's one menu sound player.
#pragma once

#include "CExtSoundPlayer.h"

class CExtSoundPlayerHolder
{
public:
    CExtSoundPlayerHolder() : m_pPlayer(new CExtSoundPlayer) {}
    ~CExtSoundPlayerHolder() { delete m_pPlayer; }
    CExtSoundPlayer* operator->() { return m_pPlayer; }
    CExtSoundPlayer* GetSoundPlayer() { return m_pPlayer; }

private:
    CExtSoundPlayerHolder(const CExtSoundPlayerHolder&) = delete;
    void operator=(const CExtSoundPlayerHolder&) = delete;
    CExtSoundPlayer* m_pPlayer;
};

// The holder of the process. Built before the application object, destroyed after it.
extern CExtSoundPlayerHolder g_SoundPlayer;
