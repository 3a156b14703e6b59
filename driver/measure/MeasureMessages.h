#pragma once
// Window messages of a measurement; their numbers are part of the host interface.

inline constexpr unsigned MSG_MEASURE_START = 1524;     // lParam: measuring time in 1/100 s
inline constexpr unsigned MSG_MEASURE_PROGRESS = 1525;  // wParam: elapsed time in 1/100 s
inline constexpr unsigned MSG_REMOTE_DATA = 5000;       // posted: a remote record is waiting
