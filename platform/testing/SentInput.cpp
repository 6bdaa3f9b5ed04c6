#include "SentInput.h"

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
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    // The move arrives before the press, so the press goes to the window now under it.
    ::Sleep(50);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}
