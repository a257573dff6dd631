// plotdesk: the graph plotter. Without options it opens its windows, splash
// first; the command line can also draw straight into a picture file.

#include "board/command_line.h"
#include "shell/frmSplash.h"
#include "shell/shell_answers.h"
#include "toolkit/forms.h"

#include <QApplication>

int main(int argc, char** argv) {
    plotdesk::chooseHeadlessPlatform(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Curvolo"));
    QApplication::setApplicationName(QStringLiteral("Curvolo"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    if (const auto code = plotdesk::runCommandLine(QApplication::arguments())) return *code;

    plotdesk::setShellQuestions(&plotdesk::shellAnswers());
    plotdesk::toolkit::Forms<plotdesk::frmSplash>::get().show();
    return QApplication::exec();
}
