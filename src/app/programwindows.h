#pragma once

#include "shell/screen.h"

namespace shell {
class Shell;
class WorkWindow;
} // namespace shell

// The program's own working windows, given to the shell as its window factory by the program
// and by the tests, so the shell itself knows none of them.
namespace app {

// A new study, practice or query window for the screen; nullptr for the start screen, which
// the shell builds itself.
shell::WorkWindow *buildProgramWindow(shell::Screen screen, shell::Shell &shell);

} // namespace app
