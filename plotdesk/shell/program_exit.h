#pragma once
// Ending the program at once: every window disappears without running its
// own close handling (so, for one, the board does not save its placement),
// and the event loop ends.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace plotdesk {

void endProgram();

// Ends the program as the main window's close box does, saving first; used
// when the session or the system ends the program. Before the main window
// exists there is nothing to save, and the program just ends.
void closeProgram();

// What endProgram() does once the windows are hidden; by default it ends the
// application's event loop. Tests install their own to observe the ending;
// an empty function brings the default back.
void setProgramQuit(std::function<void()> quit);

// One line of reportUnsavedFiles(): the file and why it could not be saved.
QString unsavedFile(const QString& path, const QString& reason);

// Tells the user which files could not be saved as the program ends (their
// old contents are kept): on standard error, and in a message box over
// `parent`, since the program is about to disappear. Nothing when `unsaved`
// is empty.
void reportUnsavedFiles(const QStringList& unsaved, QWidget* parent);

}  // namespace plotdesk
