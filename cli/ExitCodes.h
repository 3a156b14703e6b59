#pragma once
// The exit codes of rx9100; scripts rely on them (docs/cli.md lists them).

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitInternal = 1;    // the built-in simulator or a tool could not start
inline constexpr int kExitUsage = 2;       // bad options or condition values
inline constexpr int kExitLink = 3;        // no port, no reply, line dropped (status -10)
inline constexpr int kExitInstrument = 4;  // refused by the instrument or the driver (status 10)
inline constexpr int kExitOutput = 5;      // an output or plot file could not be written
// Stopped by a signal: 128 + its number (130 Ctrl-C, 129 SIGHUP, 141 SIGPIPE, 143 SIGTERM).
inline constexpr int kExitStoppedBase = 128;

}  // namespace cli
