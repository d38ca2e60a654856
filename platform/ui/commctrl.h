// The progress bar of the common controls: its class name, style and
// messages. The bar keeps a range, a position and a step; all of it is set
// through SendMessageA.
#pragma once

#include "platform/win/windef.h"

#define PROGRESS_CLASSA "msctls_progress32"

constexpr DWORD PBS_SMOOTH = 0x01;

// lParam: low word the minimum, high word the maximum (a maximum below the
// minimum is refused: result 0, nothing changes). Returns the previous
// range packed the same way. The position is kept inside the new range.
constexpr UINT PBM_SETRANGE = WM_USER + 1;
// wParam: the new position, kept inside the range. Returns the previous one.
constexpr UINT PBM_SETPOS = WM_USER + 2;
// Adds the step to the position. The position never leaves the range: a
// bar stepped past its maximum stays full, so a caller that oversteps (a
// run of 1,007 steps on a range of 1000) ends with a full bar rather than
// one that jumped back to the start. Returns the previous position.
constexpr UINT PBM_STEPIT = WM_USER + 3;
// wParam: the step of PBM_STEPIT (10 until set). Returns the previous step.
constexpr UINT PBM_SETSTEP = WM_USER + 4;
// Returns the current position.
constexpr UINT PBM_GETPOS = WM_USER + 8;
