// Synthetic mouse input for tests that drive the real pointer (those carry
// "ctest: run-serial").
#pragma once

#include <windows.h>

#include <vector>

namespace testsupport
{
// One mouse event; with MOUSEEVENTF_ABSOLUTE, pt (screen pixels) is turned
// into the 0..65535 coordinates SendInput takes.
inline INPUT MouseInput(DWORD dwFlags, POINT pt = POINT())
{
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    if (dwFlags & MOUSEEVENTF_ABSOLUTE)
    {
        input.mi.dx = (LONG)((pt.x * 65536LL + 65535) / ::GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = (LONG)((pt.y * 65536LL + 65535) / ::GetSystemMetrics(SM_CYSCREEN));
    }
    return input;
}

// Sends the events in order.
inline void SendInputs(std::vector<INPUT> inputs)
{
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

// Moves the pointer to pt (screen pixels) and clicks the left button there,
// all in one batch of events.
inline void ClickAt(POINT pt)
{
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInputs({MouseInput(dwAt, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt),
                MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt)});
}

// Moves the pointer to pt (screen pixels) and turns the wheel there by
// nDelta (WHEEL_DELTA a notch; below 0 towards the user).
inline void WheelAt(POINT pt, int nDelta)
{
    INPUT wheel = MouseInput(MOUSEEVENTF_WHEEL);
    wheel.mi.mouseData = (DWORD)nDelta;
    SendInputs({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt), wheel});
}
} // namespace testsupport
