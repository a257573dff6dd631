#pragma once
// Lets the program end through its ordinary close, which saves what the user
// would lose, when the desktop session or the system ends it: the session
// manager's logout request, SIGTERM (shutdown, kill), SIGHUP (the terminal
// it was started from went away) and SIGINT (Ctrl+C in that terminal).
// Without this, a logout breaks the X connection and the program dies
// without its exit handling.

#include <functional>

namespace plotdesk::toolkit {

// Call once the application object exists; a later call replaces `close`.
// `close` runs in the event loop at the first of those events. A second
// signal, should the close not have ended the program, ends it the way the
// signal would have without this.
void closeWhenSessionEnds(std::function<void()> close);

}  // namespace plotdesk::toolkit
