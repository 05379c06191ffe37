#pragma once
// A request from outside to end the program (SIGTERM at logout or system
// shutdown, SIGHUP when the terminal goes, SIGINT) runs the program's orderly
// end instead of killing it, so that the unsent input, the window placements and
// "Iconize" are saved as when the user closes the main window.
#include <functional>

// Installs the handlers once; the action runs on the user-interface thread from
// the event loop, never inside the signal handler. Needs a QCoreApplication.
// False when the signals could not be taken over (they keep their default).
bool InstallTerminationHandler(std::function<void()> action);
