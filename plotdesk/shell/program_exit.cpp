#include "shell/program_exit.h"

#include <QApplication>
#include <QWidget>

namespace plotdesk {
namespace {

void endEventLoop() { QCoreApplication::exit(0); }

std::function<void()>& programQuit() {
    static std::function<void()> quit = endEventLoop;
    return quit;
}

}  // namespace

void endProgram() {
    // hide() sends no close event, so no window's close handler runs.
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    programQuit()();
}

void setProgramQuit(std::function<void()> quit) {
    programQuit() = quit ? std::move(quit) : std::function<void()>(endEventLoop);
}

}  // namespace plotdesk
