#pragma once
// The shell's way to the drawing board: the loaded board window, loaded
// first when needed, with its "选项" request connected to the settings
// dialog. Every shell window refers to the board through this, so a board
// that was closed and created afresh is hooked up again.

namespace plotdesk {

class mForm1;

mForm1& boardWindow();

// Shows the settings dialog, modeless, loading it first when needed.
void showSettingsDialog();

}  // namespace plotdesk
