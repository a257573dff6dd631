#pragma once
// Shared by the shell tests: a private settings store and private history
// folders in a temporary directory, the shell's answers installed, the
// program's ending observed instead of ending the test, and a way to drop
// every window without running its close handling (as a new start would).

#include "board/mForm1.h"
#include "settings/settings_store.h"
#include "shell/Form2.h"
#include "shell/Main_Form.h"
#include "shell/frmSplash.h"
#include "shell/history_place.h"
#include "shell/program_exit.h"
#include "shell/shell_answers.h"
#include "toolkit/forms.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace shelltest {

using plotdesk::toolkit::Forms;

// Every window gone without its close handler: what a program end leaves.
inline void dropAllWindows() {
    delete Forms<plotdesk::frmSplash>::loaded();
    delete Forms<plotdesk::Form2>::loaded();
    delete Forms<plotdesk::Main_Form>::loaded();
    delete Forms<plotdesk::mForm1>::loaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Lets windows closed with WA_DeleteOnClose go.
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class ShellEnvironment {
public:
    ShellEnvironment() {
        QDir root(dir_.path());
        root.mkpath(QStringLiteral("config"));
        root.mkpath(QStringLiteral("program"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.filePath(QStringLiteral("config")));
        plotdesk::setHistoryFolders(programFolder(), userFolder());
        plotdesk::setShellQuestions(&plotdesk::shellAnswers());
        plotdesk::setProgramQuit([this] { ++programEnds; });
    }
    ~ShellEnvironment() {
        dropAllWindows();
        plotdesk::setProgramQuit([] {});
        plotdesk::setShellQuestions(nullptr);
    }
    ShellEnvironment(const ShellEnvironment&) = delete;
    ShellEnvironment& operator=(const ShellEnvironment&) = delete;

    QString programFolder() const { return dir_.filePath(QStringLiteral("program")); }
    QString userFolder() const { return dir_.filePath(QStringLiteral("user")); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    static QByteArray fileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The keys present in the store.
    static QStringList storedKeys() {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Curvolo"),
                        QStringLiteral("Curvolo"));
        store.beginGroup(QStringLiteral("Settings"));
        return store.childKeys();
    }

    int programEnds = 0;

private:
    QTemporaryDir dir_;
};

}  // namespace shelltest
