// Synthetic keyboard input for tests that drive the real keyboard (those
// carry "ctest: run-serial"). The keys go to the foreground window.
#pragma once

#include <windows.h>

#include <vector>

namespace testsupport
{
// One key going down or up, with its scan code.
inline void SendKey(WORD vk, BOOL bUp)
{
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)::MapVirtualKey(vk, 0);
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

// A key pressed and released.
inline void PressKey(WORD vk)
{
    SendKey(vk, FALSE);
    SendKey(vk, TRUE);
}

// A key pressed and released while Alt is held (Alt+E opens the Edit menu).
inline void PressAltWith(WORD vk)
{
    SendKey(VK_MENU, FALSE);
    PressKey(vk);
    SendKey(VK_MENU, TRUE);
}

// One key going down or up, by its virtual key alone (no scan code).
inline INPUT KeyInput(WORD vk, bool bUp)
{
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses the keys together in the order given (Shift+F1: {VK_SHIFT, VK_F1}),
// then lets them go in the reverse order, all in one batch of events.
inline void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(KeyInput(vk, false));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, true));
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}
} // namespace testsupport
