#include "shell/program_exit.h"

#include <QApplication>
#include <QWidget>

namespace plotdesk {
namespace {

std::function<void()>& programQuit() {
    static std::function<void()> quit = [] { QCoreApplication::exit(0); };
    return quit;
}

}  // namespace

void endProgram() {
    // hide() sends no close event, so no window's close handler runs.
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    programQuit()();
}

void setProgramQuit(std::function<void()> quit) { programQuit() = std::move(quit); }

}  // namespace plotdesk
