#pragma once

#include <functional>

// The window program: the application object, the main window with the
// real dialogs and the real serial line, and the event loop until the
// window closes. `shown` runs once the main window is shown (benchmarks end
// the loop there). Returns the process's exit status.
int runProgram(int argc, char *argv[], const std::function<void()> &shown = {});
