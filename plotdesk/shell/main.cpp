// plotdesk: the graph plotter. Without options it opens its windows, splash
// first; the command line can also draw straight into a picture file, with
// or without a display (see command_line.h for the exit statuses).

#include "board/command_line.h"
#include "board/drawing_recovery.h"
#include "settings/product.h"
#include "shell/drawing_document.h"
#include "shell/frmSplash.h"
#include "shell/program_exit.h"
#include "shell/shell_answers.h"
#include "toolkit/chinese_translation.h"
#include "toolkit/file_name_bytes.h"
#include "toolkit/forms.h"
#include "toolkit/session_end.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv) {
    // A write beyond the file-size limit (ulimit -f) then fails like a full
    // disk, and the file writers keep the old file and say why, instead of
    // the program being killed halfway with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const bool displayPrepared = plotdesk::prepareDisplay(argc, argv);
    QApplication app(argc, argv);
    const bool hasDisplay = plotdesk::displayReached(displayPrepared);
    QApplication::setOrganizationName(QString::fromUtf8(plotdesk::product::kName));
    QApplication::setApplicationName(QString::fromUtf8(plotdesk::product::kName));
    QApplication::setApplicationVersion(QString::fromUtf8(plotdesk::product::kVersion));
    plotdesk::toolkit::installChineseTranslation(app);
    // A file name keeps its bytes even when they are not UTF-8.
    const QStringList arguments = plotdesk::toolkit::argumentsFromBytes(argc, argv);
    if (const auto code = plotdesk::runCommandLine(arguments, hasDisplay)) return *code;

    plotdesk::openAtStart(plotdesk::drawingToOpen(QApplication::arguments()));
    plotdesk::keepDrawingsSafeIn(plotdesk::DrawingRecovery::defaultFolder());
    plotdesk::toolkit::closeWhenSessionEnds(plotdesk::closeProgram);
    plotdesk::setShellQuestions(&plotdesk::shellAnswers());
    plotdesk::toolkit::Forms<plotdesk::frmSplash>::get().show();
    return QApplication::exec();
}
