#pragma once
// The program's command line: --help, --version, and --export, which plots
// to a PNG file without opening any window.

#include "board/export_plot.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace plotdesk {

// Call before the application object exists: when the command line asks for
// output only (--export, --help, --version) and there is no display, Qt's
// offscreen platform is chosen so the program runs anywhere.
void chooseHeadlessPlatform(int argc, char** argv);

// What a command line asks for.
struct ShowHelp {
    QString text;
};
struct ShowVersion {
    QString text;
};
struct StartWindows {};
struct CommandLineError {
    QString message;
};
using CommandLineRequest = std::variant<StartWindows, ShowHelp, ShowVersion, ExportRequest, CommandLineError>;

// Reads the arguments (the program name first). Curves keep the order in
// which --function and --parametric appear.
CommandLineRequest parseCommandLine(const QStringList& arguments);

// Call after the application object exists: carries out what the command
// line asks for. The exit code when it was handled entirely (help, export,
// an error); nullopt when the windows should start.
std::optional<int> runCommandLine(const QStringList& arguments);

}  // namespace plotdesk
