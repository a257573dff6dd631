#pragma once
// Ending the program at once: every window disappears without running its
// own close handling (so, for one, the board does not save its placement),
// and the event loop ends.

#include <functional>

namespace plotdesk {

void endProgram();

// What endProgram() does once the windows are hidden; by default it ends the
// application's event loop. Tests install their own to observe the ending;
// an empty function brings the default back.
void setProgramQuit(std::function<void()> quit);

}  // namespace plotdesk
