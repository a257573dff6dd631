#pragma once
// The program's command line: --help, --version, --export, which plots to a
// picture file without opening any window, and --key-points and --table,
// which print what the curves' values show.
//
// Exit statuses: 0 success; 1 the picture could not be written, or there is
// no display for the windows; 2 the command line was refused and nothing was
// written; 3 the picture was written but some curve got no point at all.

#include "board/curve_reading.h"
#include "board/export_plot.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace plotdesk {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitNotWritten = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitCurveWithoutPoints = 3;

// Call before the application object exists. Whether there may be a display
// to open windows on. Without one, Qt's offscreen platform is chosen, so that
// the command line's own work (export, help, version, refusals) runs
// anywhere and asking for the windows gets a message instead of Qt's abort.
// A platform named with -platform, or in QT_QPA_PLATFORM (other than X11 or
// Wayland without their display variable), counts as a display. With only
// DISPLAY set, X11 is tried and the offscreen platform is the fallback;
// displayReached tells which one came up.
bool prepareDisplay(int argc, char** argv);

// Call once the application object exists, with what prepareDisplay said:
// whether windows can be opened. Puts back the message handler and the
// platform variable prepareDisplay changed to try X11.
bool displayReached(bool prepared);

// What a command line asks for.
struct ShowHelp {
    QString text;
};
struct ShowVersion {
    QString text;
};
struct StartWindows {
    QString drawing;  // a drawing document to open; empty for none
};
struct CommandLineError {
    QString message;  // names the option and the form it takes, in Chinese
};
using CommandLineRequest =
    std::variant<StartWindows, ShowHelp, ShowVersion, ExportRequest, ReadingRequest, CommandLineError>;

// Reads the arguments (the program name first). Curves keep the order in
// which --function and --parametric appear.
CommandLineRequest parseCommandLine(const QStringList& arguments);

// Call after the application object exists: carries out what the command
// line asks for. The exit status when it was handled entirely (help,
// version, export, a refusal, windows without a display); nullopt when the
// windows should start.
std::optional<int> runCommandLine(const QStringList& arguments, bool hasDisplay = true);

// The drawing document the windows should open, when they start; empty for
// none.
QString drawingToOpen(const QStringList& arguments);

}  // namespace plotdesk
