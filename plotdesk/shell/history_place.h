#pragma once
// Where the two history files live: in the program's folder, or in the
// user's data folder when the program's folder cannot be written (an
// installed program), so the histories are kept either way. Until the user's
// folder holds a history, it is read from the program's folder, so the items
// stored there move with the first save.

#include <QString>

namespace plotdesk {

struct HistoryPaths {
    QString functions;   // the f(x) list
    QString parametric;  // the x(t), y(t) list
};

// The folder the histories are read from and written to: `programFolder`
// when it is a writable folder, otherwise `userFolder` (created if needed).
QString historyFolder(const QString& programFolder, const QString& userFolder);

// The two files inside `folder`.
HistoryPaths historyPathsIn(const QString& folder);

// Where the main window reads each history from and saves it to, from the
// folders set below.
struct HistoryPlaces {
    HistoryPaths read;
    HistoryPaths write;
};
HistoryPlaces historyPlaces();

// The program's folder and the user's data folder used by historyPlaces();
// by default the executable's folder and the application data location.
// An empty text restores that default.
void setHistoryFolders(const QString& programFolder, const QString& userFolder);

}  // namespace plotdesk
