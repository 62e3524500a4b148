#pragma once

#include <functional>

// The window program: the application object, the main window with the
// real dialogs and the real serial line, and the event loop until the
// window closes. `shown` runs once the main window is shown (benchmarks end
// the loop there). Returns the process's exit status.
int runProgram(int argc, char *argv[], const std::function<void()> &shown = {});

// `igcedit --card IN.igc OUT.pdf|OUT.png [--lang hu|en]`: the curve card of a
// curve file, Hungarian unless English is asked for. It needs no display and
// shows no window, and Edit.txt is neither read nor written. Returns 0, or 1
// with the reason on stderr.
int runCardCommand(int argc, char *argv[]);
