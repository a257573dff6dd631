// The ways out of the program, with the real event loop running: the main
// window's close box, "关闭(&C)" and the session's end all end it at once;
// all but "关闭(&C)" save.

#include "shell_test_support.h"

#include "settings/settings_store.h"
#include "shell/program_exit.h"
#include "toolkit/session_end.h"

#include <QAction>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include <unistd.h>
#include <csignal>

using namespace plotdesk;
using shelltest::Forms;
using shelltest::ShellEnvironment;

namespace {

constexpr int kGiveUpMilliseconds = 10000;
constexpr int kGaveUp = 99;

// Runs the application's event loop until the program ends itself; the
// loop's exit code, or kGaveUp when it did not end.
int runUntilTheProgramEnds(const std::function<void()>& action) {
    QTimer::singleShot(0, action);
    QTimer::singleShot(kGiveUpMilliseconds, [] { QCoreApplication::exit(kGaveUp); });
    return QCoreApplication::exec();
}

}  // namespace

class ProgramExitTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShellEnvironment> env;

private slots:
    void init() {
        env = std::make_unique<ShellEnvironment>();
        setProgramQuit(nullptr);  // the real ending
    }
    void cleanup() { env.reset(); }

    void theCloseBoxSavesAndEndsTheProgram() {
        Main_Form& main = Forms<Main_Form>::get();
        main.show();
        main.List1->addItem(QStringLiteral("f(x)=x"));
        QCOMPARE(runUntilTheProgramEnds([&main] { main.close(); }), 0);
        QCOMPARE(ShellEnvironment::fileBytes(historyPathsIn(env->programFolder()).functions), QByteArray("f(x)=x\r\n"));
        QVERIFY(HasSetting(QStringLiteral("pxpleft")));
        QVERIFY(!HasSetting(QStringLiteral("MainLeft")));
    }

    // The session or the system ending the program (logout, shutdown, the
    // terminal closing, Ctrl+C) closes it as the close box does.
    void anEndingSignalSavesAndEndsTheProgram_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void anEndingSignalSavesAndEndsTheProgram() {
        QFETCH(int, signalNumber);
        toolkit::closeWhenSessionEnds(closeProgram);
        Main_Form& main = Forms<Main_Form>::get();
        main.show();
        main.List1->addItem(QStringLiteral("f(x)=x"));
        QCOMPARE(runUntilTheProgramEnds([signalNumber] { ::kill(::getpid(), signalNumber); }), 0);
        QCOMPARE(ShellEnvironment::fileBytes(historyPathsIn(env->programFolder()).functions), QByteArray("f(x)=x\r\n"));
    }

    void theCloseMenuEndsTheProgramWithoutSaving() {
        Main_Form& main = Forms<Main_Form>::get();
        main.show();
        main.List1->addItem(QStringLiteral("f(x)=x"));
        QCOMPARE(runUntilTheProgramEnds([&main] { main.close_->trigger(); }), 0);
        QVERIFY(!QFileInfo::exists(historyPathsIn(env->programFolder()).functions));
        QCOMPARE(ShellEnvironment::storedKeys(), QStringList());
    }
};

QTEST_MAIN(ProgramExitTest)
#include "tst_program_exit.moc"
