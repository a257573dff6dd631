// plotdesk: the graph plotter. Without options it opens its windows, splash
// first; the command line can also draw straight into a picture file.

#include "board/command_line.h"
#include "settings/product.h"
#include "shell/frmSplash.h"
#include "shell/shell_answers.h"
#include "toolkit/chinese_translation.h"
#include "toolkit/forms.h"

#include <QApplication>

int main(int argc, char** argv) {
    plotdesk::chooseHeadlessPlatform(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(plotdesk::product::kName));
    QApplication::setApplicationName(QString::fromUtf8(plotdesk::product::kName));
    QApplication::setApplicationVersion(QString::fromUtf8(plotdesk::product::kVersion));
    plotdesk::toolkit::installChineseTranslation(app);
    if (const auto code = plotdesk::runCommandLine(QApplication::arguments())) return *code;

    plotdesk::setShellQuestions(&plotdesk::shellAnswers());
    plotdesk::toolkit::Forms<plotdesk::frmSplash>::get().show();
    return QApplication::exec();
}
