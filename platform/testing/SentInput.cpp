#include "SentInput.h"

#include <deque>

namespace
{
INPUT KeyInput(WORD vk, DWORD dwFlags)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = dwFlags;
    return in;
}
} // namespace

void CSentInput::PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(KeyInput(vk, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, KEYEVENTF_KEYUP));
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void CSentInput::ClickAt(CPoint ptScreen)
{
    ClickButtonAt(ptScreen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void CSentInput::RightClickAt(CPoint ptScreen)
{
    ClickButtonAt(ptScreen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void CSentInput::ClickButtonAt(CPoint ptScreen, DWORD dwDown, DWORD dwUp)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    // The move arrives before the press, so the press goes to the window now under it.
    ::Sleep(50);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = dwDown;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = dwUp;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void CSentInput::MoveTo(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(INPUT));
}

namespace
{
struct CFeed
{
    std::deque<std::vector<WORD>> chords;
    std::function<bool()> isReady;
    std::function<void()> onGiveUp;
    UINT nGapMs = 40, nGiveUpMs = 10000;
    DWORD dwLast = 0;
    UINT_PTR nTimer = 0;
};

CFeed& Feed()
{
    static CFeed feed;
    return feed;
}

void CALLBACK OnFeedTimer(HWND, UINT, UINT_PTR, DWORD)
{
    CFeed& feed = Feed();
    try
    {
        const DWORD dwNow = ::GetTickCount();
        if (feed.chords.empty() || dwNow - feed.dwLast > feed.nGiveUpMs)
        {
            const std::function<void()> onGiveUp = feed.chords.empty() ? nullptr : feed.onGiveUp;
            CSentInput::StopFeeding();
            if (onGiveUp)
                onGiveUp();
            return;
        }
        if (dwNow - feed.dwLast < feed.nGapMs || (feed.isReady && !feed.isReady()))
            return;
        const std::vector<WORD> chord = feed.chords.front();
        feed.chords.pop_front();
        feed.dwLast = dwNow;
        CSentInput::PressKeys(chord);
        if (feed.chords.empty())
            CSentInput::StopFeeding();
    }
    catch (...)
    {
        CSentInput::StopFeeding();
    }
}
} // namespace

void CSentInput::FeedChords(const std::vector<std::vector<WORD>>& chords, std::function<bool()> isReady,
                            UINT nGapMs, UINT nGiveUpMs, std::function<void()> onGiveUp)
{
    StopFeeding();
    CFeed& feed = Feed();
    feed.chords.assign(chords.begin(), chords.end());
    feed.isReady = std::move(isReady);
    feed.nGapMs = nGapMs;
    feed.nGiveUpMs = nGiveUpMs;
    feed.onGiveUp = std::move(onGiveUp);
    feed.dwLast = ::GetTickCount();
    feed.nTimer = ::SetTimer(NULL, 0, 10, OnFeedTimer);
}

void CSentInput::FeedKeys(const std::vector<WORD>& keys, std::function<bool()> isReady, UINT nGapMs)
{
    std::vector<std::vector<WORD>> chords;
    for (WORD vk : keys)
        chords.push_back({vk});
    FeedChords(chords, std::move(isReady), nGapMs);
}

bool CSentInput::IsFeeding()
{
    return Feed().nTimer != 0;
}

void CSentInput::StopFeeding()
{
    CFeed& feed = Feed();
    if (feed.nTimer != 0)
        ::KillTimer(NULL, feed.nTimer);
    feed.nTimer = 0;
    feed.chords.clear();
}
