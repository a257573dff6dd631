#include "shell/program_exit.h"

#include "shell/Main_Form.h"
#include "toolkit/forms.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QMessageBox>
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

void closeProgram() {
    if (Main_Form* main = toolkit::Forms<Main_Form>::loaded())
        main->closeAtSessionEnd();
    else
        endProgram();
}

void setProgramQuit(std::function<void()> quit) {
    programQuit() = quit ? std::move(quit) : std::function<void()>(endEventLoop);
}

QString unsavedFile(const QString& path, const QString& reason) {
    return QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(path), reason);
}

void reportUnsavedFiles(const QStringList& unsaved, QWidget* parent) {
    if (unsaved.isEmpty()) return;
    const QString text =
        QStringLiteral("以下文件未能保存，文件中原有的内容保持不变：\n\n%1").arg(unsaved.join(QLatin1Char('\n')));
    qWarning().noquote() << text;
    QMessageBox::warning(parent, QStringLiteral("未能保存"), text);
}

}  // namespace plotdesk
