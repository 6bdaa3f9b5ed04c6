// Menu sounds: which alias each id plays, one sound at a time, and no handle or thread
// left behind. A recorder stands in for the system's sound call (which returns at once
// without a sound device) and can hold a sound "playing".
#include "ulvanetest.h"

#include "sound_recorder.h"

TEST(SoundPlayerTest, EachMenuSoundPlaysItsAliasOnAWorkerAndOtherIdsNothing)
{
    CSoundRecorder recorder;
    for (int nID : {0, 4, -1})
        g_SoundPlayer->PlaySound(nID);
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    EXPECT_TRUE(recorder.Calls().empty()) << "an id without a sound started a worker";

    g_SoundPlayer->PlaySound(CExtSoundPlayer::ePopupOpened);
    ASSERT_TRUE(recorder.WaitEntered());
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
    ASSERT_TRUE(recorder.WaitEntered());
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());

    // The asynchronous popup sound first stops what still sounds; the command sound
    // plays through and stops nothing.
    const std::vector<SoundCall> calls = recorder.Calls();
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("", calls[0].strName);
    EXPECT_EQ((DWORD)SND_PURGE, calls[0].nFlags);
    EXPECT_EQ("MenuPopup", calls[1].strName);
    EXPECT_EQ(0x12003u, calls[1].nFlags);
    EXPECT_EQ("MenuCommand", calls[2].strName);
    EXPECT_EQ(0x12002u, calls[2].nFlags);
    for (const SoundCall& call : calls)
        EXPECT_NE(::GetCurrentThreadId(), call.nThreadID) << "the caller played the sound itself";
}

TEST(SoundPlayerTest, ARequestWhileASoundPlaysIsDroppedAndTheCallerDoesNotWait)
{
    CSoundRecorder recorder;
    recorder.Hold();
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eMenuExpanded);
    ASSERT_TRUE(recorder.WaitEntered());

    const DWORD t0 = ::GetTickCount();
    g_SoundPlayer->PlaySound(CExtSoundPlayer::ePopupOpened);
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
    EXPECT_LT(::GetTickCount() - t0, 1000u) << "the caller waited for the playing sound";
    EXPECT_EQ(1, recorder.PlayCount());

    recorder.Release();
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
    ASSERT_TRUE(recorder.WaitEntered()) << "the player stayed busy after the sound ended";
    EXPECT_EQ(2, recorder.PlayCount());
}

// The value of a new handle: handles take the lowest free slot, so each handle left
// open by a request would push it up.
static UINT_PTR NextHandleValue()
{
    HANDLE hProbe = ::CreateEvent(NULL, FALSE, FALSE, NULL);
    ::CloseHandle(hProbe);
    return (UINT_PTR)hProbe;
}

TEST(SoundPlayerTest, ManyRequestsLeaveNoHandlesBehind)
{
    CSoundRecorder recorder;
    const UINT_PTR nBefore = NextHandleValue();
    for (int i = 0; i < 20000; i++)
        g_SoundPlayer->PlaySound(1 + i % 3);
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    ::Sleep(50);   // the last worker's own exit
    ASSERT_GT(recorder.PlayCount(), 0);
    EXPECT_LE(NextHandleValue(), nBefore + 16) << recorder.PlayCount() << " sounds played";
}
