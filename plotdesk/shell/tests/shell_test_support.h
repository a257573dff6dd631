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

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

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

// Answers the next message box that opens (within `within` ms) with OK and
// keeps its text in `*text`; the test goes on once the box is closed.
inline void answerNextMessageBox(QString* text, int within = 5000) {
    auto* poll = new QTimer;
    auto* waited = new int(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, text, within] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        *waited += poll->interval();
        if (!box && *waited < within) return;
        if (box) {
            *text = box->text();
            box->accept();
        }
        poll->stop();
        poll->deleteLater();
        delete waited;
    });
    poll->start(10);
}

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
        // The question before unsaved changes to the drawing are lost is
        // answered 不保存, as the program closed before it kept drawings;
        // tests of the question turn this off.
        QObject::connect(&drawingQuestions_, &QTimer::timeout, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->windowTitle() != QStringLiteral("保存画板")) return;
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QStringLiteral("不保存")) button->click();
        });
        drawingQuestions_.start(10);
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

    void answerDrawingQuestions(bool answer) { answer ? drawingQuestions_.start(10) : drawingQuestions_.stop(); }

    int programEnds = 0;

private:
    QTemporaryDir dir_;
    QTimer drawingQuestions_;
};

}  // namespace shelltest
