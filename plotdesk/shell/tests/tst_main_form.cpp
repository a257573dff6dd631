// The main window driven as a user drives it: entering, drawing, storing,
// recalling and deleting expressions, and the two ways of leaving the
// program, with the histories found again at the next start.

#include "shell_test_support.h"

#include "board/mForm1.h"
#include "settings/product.h"
#include "settings/settings_store.h"
#include "shell/history_file.h"
#include "toolkit/tests/file_faults.h"
#include "toolkit/twips.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <sys/stat.h>
#include <optional>

using namespace plotdesk;
using shelltest::Forms;
using shelltest::ShellEnvironment;

// How the function history's file is made hard to keep in one session.
constexpr qint64 kTooLargeHistory = 64 * 1024 * 1024 + 1;

enum class HistoryFault {
    UndecodableBytes,       // lines that are not valid GB18030
    FullDisk,               // the program's folder is a small file system with no room left
    FileSizeLimit,          // every file write beyond 16 bytes fails, as on a full disk
    ReadOnlyProgramFolder,  // the histories sit in a folder the user cannot write
    AnotherInstance,        // a second main window saves the same file first
    Fifo,                   // a FIFO stands where the file should be
    TooLarge,               // the file is larger than any history read (64 MB)
};

class MainFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShellEnvironment> env;

    // Starts the program's windows as the splash does at the end of its countdown.
    static Main_Form& start() {
        Main_Form& main = Forms<Main_Form>::get();
        main.show();
        if (!QTest::qWaitForWindowExposed(&main)) qWarning("main window not exposed");
        return main;
    }

    // Leaves the program as a new start would find it.
    static void restart() { shelltest::dropAllWindows(); }

    static QStringList itemsOf(const QListWidget* list) {
        QStringList items;
        for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
        return items;
    }

    static void clickItem(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void doubleClickItem(QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    HistoryPaths programFolderFiles() const { return historyPathsIn(env->programFolder()); }

private slots:
    void init() { env = std::make_unique<ShellEnvironment>(); }
    void cleanup() { env.reset(); }

    void loadingShowsTheBoardAndStaysOnTop() {
        Main_Form& main = start();
        QCOMPARE(main.windowTitle(), QString::fromUtf8(product::kWindowTitle));
        QVERIFY(main.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(Forms<mForm1>::loaded());
        QVERIFY(Forms<mForm1>::loaded()->isVisible());
        QCOMPARE(main.Text1->text(), QString());
        QCOMPARE(main.List1->count(), 0);
        QCOMPARE(main.SSTab1->count(), 3);
        QCOMPARE(main.SSTab1->tabText(0), QStringLiteral("函数表达式"));
        QCOMPARE(main.SSTab1->tabText(1), QStringLiteral("参数方程"));
        QCOMPARE(main.SSTab1->tabText(2), QStringLiteral("帮助"));
    }

    // The main window's undo keys take back the board's plot and make it again.
    void undoKeysReachTheBoard() {
        Main_Form& main = start();
        mForm1* board = Forms<mForm1>::loaded();
        main.Text1->setText(QStringLiteral("x"));
        main.Command1_Click();
        QCOMPARE(board->model().state().curves.size(), size_t{1});
        main.findChild<QAction*>(QStringLiteral("drawingUndo"))->trigger();
        QCOMPARE(board->model().state().curves.size(), size_t{0});
        main.findChild<QAction*>(QStringLiteral("drawingRedo"))->trigger();
        QCOMPARE(board->model().state().curves.size(), size_t{1});
    }

    void aWholeSessionSurvivesARestart() {
        Main_Form& main = start();
        mForm1* board = Forms<mForm1>::loaded();
        const int colourBefore = board->ColorIndex();

        QTest::keyClicks(main.Text1, "sin(x/20)*300");
        QTest::mouseClick(main.Command1, Qt::LeftButton);
        QCOMPARE(board->表达式1->text(), QStringLiteral("sin(x/20)*300"));
        QVERIFY(board->ColorIndex() != colourBefore);  // a curve was drawn

        QTest::mouseClick(main.Command3, Qt::LeftButton);
        main.Text1->setText(QStringLiteral("2,3"));
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        main.Text1->setText(QStringLiteral("\"引号\" 中文，x"));
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        main.Text1->setText(QStringLiteral("x^2"));
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        const QStringList stored{QStringLiteral("f(x)=sin(x/20)*300"), QStringLiteral("f(x)=2,3"),
                                 QStringLiteral("f(x)=\"引号\" 中文，x"), QStringLiteral("f(x)=x^2")};
        QCOMPARE(itemsOf(main.List1), stored);

        // Recalling by click fills the entry box and the board's holder.
        main.Text1->clear();
        clickItem(main.List1, 2);
        QCOMPARE(main.Text1->text(), QStringLiteral("\"引号\" 中文，x"));
        QCOMPARE(board->表达式1->text(), QStringLiteral("\"引号\" 中文，x"));

        // Deleting takes the chosen item; a second press has nothing chosen.
        clickItem(main.List1, 3);
        QTest::mouseClick(main.Command4, Qt::LeftButton);
        QTest::mouseClick(main.Command4, Qt::LeftButton);
        QCOMPARE(itemsOf(main.List1), stored.mid(0, 3));

        main.close();
        QCOMPARE(env->programEnds, 1);
        QVERIFY(!board->isVisible());

        restart();
        Main_Form& again = start();
        QCOMPARE(itemsOf(again.List1), stored.mid(0, 3));
    }

    void doubleClickDrawsTheRecalledItem() {
        Main_Form& main = start();
        mForm1* board = Forms<mForm1>::loaded();
        main.List1->addItems({QStringLiteral("f(x)=x"), QStringLiteral("f(x)=x*2")});
        const int colourBefore = board->ColorIndex();
        doubleClickItem(main.List1, 1);
        QCOMPARE(main.Text1->text(), QStringLiteral("x*2"));
        QCOMPARE(board->表达式1->text(), QStringLiteral("x*2"));
        QVERIFY(board->ColorIndex() != colourBefore);
    }

    void enterInAnEntryBoxDraws() {
        Main_Form& main = start();
        mForm1* board = Forms<mForm1>::loaded();
        int colour = board->ColorIndex();
        QTest::keyClicks(main.Text1, "x/2");
        QTest::keyClick(main.Text1, Qt::Key_Return);
        QCOMPARE(board->表达式1->text(), QStringLiteral("x/2"));
        QVERIFY(board->ColorIndex() != colour);

        main.SSTab1->setCurrentIndex(1);
        colour = board->ColorIndex();
        main.Text3->setText(QStringLiteral("t"));
        QTest::keyClicks(main.Text4, "t*3");
        QTest::keyClick(main.Text4, Qt::Key_Enter);
        QCOMPARE(board->表达式3->text(), QStringLiteral("t*3"));
        QVERIFY(board->ColorIndex() != colour);
    }

    void choosingWithTheKeyboardRecallsButTabbingInDoesNot() {
        Main_Form& main = start();
        main.List1->addItems({QStringLiteral("f(x)=1"), QStringLiteral("f(x)=2")});
        main.Text1->setText(QStringLiteral("typed"));
        main.Text1->setFocus();
        QTest::keyClick(&main, Qt::Key_Tab);
        while (!main.List1->hasFocus() && main.focusWidget() != main.Text1) QTest::keyClick(&main, Qt::Key_Tab);
        QVERIFY(main.List1->hasFocus());
        QCOMPARE(main.Text1->text(), QStringLiteral("typed"));
        QTest::keyClick(main.List1, Qt::Key_Down);
        QTest::keyClick(main.List1, Qt::Key_Down);
        QCOMPARE(main.Text1->text(), QStringLiteral("2"));
    }

    void itemsThatAreNotFunctionItemsRecallNothing() {
        Main_Form& main = start();
        main.List1->addItems({QStringLiteral("F(X)=x"), QStringLiteral("3")});
        main.Text1->setText(QStringLiteral("kept"));
        clickItem(main.List1, 0);
        clickItem(main.List1, 1);
        QCOMPARE(main.Text1->text(), QStringLiteral("kept"));
    }

    void storingAnEmptyEntryAndRecallingIt() {
        Main_Form& main = start();
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        QCOMPARE(itemsOf(main.List1), QStringList{QStringLiteral("f(x)=")});
        main.Text1->setText(QStringLiteral("x"));
        clickItem(main.List1, 0);
        QCOMPARE(main.Text1->text(), QString());
    }

    void deletingWithNothingChosenDoesNothing() {
        Main_Form& main = start();
        main.List1->addItems({QStringLiteral("f(x)=1"), QStringLiteral("f(x)=2")});
        main.List2->addItem(QStringLiteral("x = t ; y = t"));
        main.Command4_Click();
        main.Command7_Click();
        QCOMPARE(main.List1->count(), 2);
        QCOMPARE(main.List2->count(), 1);
    }

    void parametricItemsRoundTripThroughTheFile() {
        Main_Form& main = start();
        main.SSTab1->setCurrentIndex(1);
        mForm1* board = Forms<mForm1>::loaded();
        main.Text3->setText(QStringLiteral("200*cos(t/10)"));
        main.Text4->setText(QStringLiteral("200*sin(t/10), \"b\""));
        QTest::mouseClick(main.Command6, Qt::LeftButton);
        main.Text3->setText(QStringLiteral("t"));
        main.Text4->setText(QStringLiteral("t^2"));
        QTest::mouseClick(main.Command6, Qt::LeftButton);
        QCOMPARE(itemsOf(main.List2), (QStringList{QStringLiteral("x = 200*cos(t/10) ; y = 200*sin(t/10), \"b\""),
                                                   QStringLiteral("x = t ; y = t^2")}));

        // A click gives both texts back but leaves the board's holders alone.
        main.Text3->clear();
        main.Text4->clear();
        board->表达式2->setText(QStringLiteral("untouched"));
        clickItem(main.List2, 0);
        QCOMPARE(main.Text3->text(), QStringLiteral("200*cos(t/10)"));
        QCOMPARE(main.Text4->text(), QStringLiteral("200*sin(t/10), \"b\""));
        QCOMPARE(board->表达式2->text(), QStringLiteral("untouched"));

        main.close();
        restart();
        Main_Form& again = start();
        QCOMPARE(again.List2->count(), 2);
        clickItem(again.List2, 1);
        QCOMPARE(again.Text3->text(), QStringLiteral("t"));
        QCOMPARE(again.Text4->text(), QStringLiteral("t^2"));
    }

    void parametricDrawCopiesTheFunctionTooButDoubleClickDoesNot() {
        Main_Form& main = start();
        mForm1* board = Forms<mForm1>::loaded();
        main.SSTab1->setCurrentIndex(1);
        main.Text1->setText(QStringLiteral("x+1"));
        main.Text3->setText(QStringLiteral("t"));
        main.Text4->setText(QStringLiteral("t*2"));
        const int colourBefore = board->ColorIndex();
        QTest::mouseClick(main.Command5, Qt::LeftButton);
        QCOMPARE(board->表达式1->text(), QStringLiteral("x+1"));
        QCOMPARE(board->表达式2->text(), QStringLiteral("t"));
        QCOMPARE(board->表达式3->text(), QStringLiteral("t*2"));
        // The parametric tab is selected, so a parametric curve was drawn:
        // it advances the colour cycle by two.
        QCOMPARE((board->ColorIndex() - colourBefore + 11) % 11, 2);

        board->表达式1->setText(QStringLiteral("held"));
        main.Text1->setText(QStringLiteral("x+2"));
        main.List2->addItem(QStringLiteral("x = t/2 ; y = t/3"));
        doubleClickItem(main.List2, 0);
        QCOMPARE(board->表达式2->text(), QStringLiteral("t/2"));
        QCOMPARE(board->表达式3->text(), QStringLiteral("t/3"));
        QCOMPARE(board->表达式1->text(), QStringLiteral("held"));
    }

    void closeBoxSavesHistoriesAndPositionButNotTheBoardsPlacement() {
        Main_Form& main = start();
        main.List1->addItem(QStringLiteral("f(x)=中文"));
        mForm1* board = Forms<mForm1>::loaded();
        board->pxp->setLeftTwips(-450);
        board->pxp->setTopTwips(300);
        main.close();

        QCOMPARE(env->programEnds, 1);
        QCOMPARE(ShellEnvironment::fileBytes(programFolderFiles().functions), QByteArray("f(x)=\xD6\xD0\xCE\xC4\r\n"));
        QVERIFY(QFileInfo::exists(programFolderFiles().parametric));
        QCOMPARE(ShellEnvironment::fileBytes(programFolderFiles().parametric), QByteArray());
        QCOMPARE(GetSetting(QStringLiteral("pxpleft")).toDouble(), board->pxp->leftTwips());
        QCOMPARE(GetSetting(QStringLiteral("pxpltop")).toDouble(), board->pxp->topTwips());
        // The board went without its own close handling.
        QVERIFY(!HasSetting(QStringLiteral("MainLeft")));
        QVERIFY(Forms<mForm1>::loaded());
        QVERIFY(!Forms<mForm1>::loaded()->isVisible());
    }

    // One session with the function history: delete an item (when
    // `deleteRow` is not -1), store `typed`, close the main window.
    void historyFileFaults_data() {
        QTest::addColumn<HistoryFault>("fault");
        QTest::addColumn<QByteArray>("initial");  // the file in the program's folder
        QTest::addColumn<int>("deleteRow");
        QTest::addColumn<QByteArray>("expected");  // the file where it is saved
        QTest::addColumn<QStringList>("message");  // what the exit message names
        QTest::newRow("undecodable bytes are kept")
            << HistoryFault::UndecodableBytes << QByteArray("f(x)=a\x81 b\r\n\xff\r\nf(x)=\x80\r\nf(x)=\xd6\xd0\r\n")
            << 3 << QByteArray("f(x)=a\x81 b\r\n\xff\r\nf(x)=\x80\r\nf(x)=new\r\n") << QStringList();
        QTest::newRow("full disk keeps the file and says so")
            << HistoryFault::FullDisk << QByteArray("f(x)=old\r\n") << -1 << QByteArray("f(x)=old\r\n")
            << QStringList{QStringLiteral("表达式记录.txt"), QStringLiteral("磁盘空间不足")};
        QTest::newRow("file-size limit keeps every file and says so")
            << HistoryFault::FileSizeLimit << QByteArray("f(x)=old\r\n") << -1 << QByteArray("f(x)=old\r\n")
            << QStringList{QStringLiteral("表达式记录.txt"), QStringLiteral("文件超出允许的大小"),
                           QStringLiteral("Curvolo.ini")};
        QTest::newRow("read-only program folder")
            << HistoryFault::ReadOnlyProgramFolder << QByteArray("f(x)=1\r\nf(x)=2\r\n") << 0
            << QByteArray("f(x)=2\r\nf(x)=new\r\n") << QStringList();
        QTest::newRow("a FIFO is neither waited on nor replaced")
            << HistoryFault::Fifo << QByteArray() << -1 << QByteArray()
            << QStringList{QStringLiteral("表达式记录.txt"), QStringLiteral("不是普通文件")};
        QTest::newRow("a file too large to read is not replaced")
            << HistoryFault::TooLarge << QByteArray("f(x)=big\r\n") << -1 << QByteArray()
            << QStringList{QStringLiteral("表达式记录.txt"), QStringLiteral("文件大于 64 MB")};
        // The other window deletes f(x)=2 and stores f(x)=other, then this
        // one deletes f(x)=1 and stores f(x)=new.
        QTest::newRow("another instance saved first")
            << HistoryFault::AnotherInstance << QByteArray("f(x)=1\r\nf(x)=2\r\n") << 0
            << QByteArray("f(x)=other\r\nf(x)=new\r\n") << QStringList();
    }
    void historyFileFaults() {
        QFETCH(HistoryFault, fault);
        QFETCH(QByteArray, initial);
        QFETCH(int, deleteRow);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, message);
        const QString programFile = programFolderFiles().functions;
        std::optional<filefaults::SmallDisk> disk;
        if (fault == HistoryFault::FullDisk) {
            disk.emplace(env->programFolder());
            if (!disk->mounted())
                QSKIP("a small file system can be mounted only by root; the file-size limit row stands in");
        }
        if (fault == HistoryFault::Fifo) {
            QCOMPARE(::mkfifo(QFile::encodeName(programFile).constData(), 0600), 0);
        } else {
            QFile file(programFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(initial);
            // Zeros up to one byte past 64 MB, taking no room on the disk.
            if (fault == HistoryFault::TooLarge) QVERIFY(file.resize(kTooLargeHistory));
        }
        const filefaults::HangGuard guard(20);

        std::optional<filefaults::WithoutRootRights> unprivileged;
        QString savedFile = programFile;
        if (fault == HistoryFault::ReadOnlyProgramFolder) {
            // Everything else stays open to the unprivileged user.
            const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                              QFile::WriteOther | QFile::ExeOther;
            QVERIFY(QFile::setPermissions(env->path(QString()), open));
            QVERIFY(QFile::setPermissions(env->path(QStringLiteral("config")), open));
            QVERIFY(QFile::setPermissions(env->programFolder(),
                                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
            unprivileged.emplace();
            if (!unprivileged->active() || QFileInfo(env->programFolder()).isWritable()) {
                unprivileged.reset();
                QSKIP("the program folder stays writable for this user");
            }
            savedFile = historyPathsIn(env->userFolder()).functions;
        }

        std::unique_ptr<Main_Form> other;
        if (fault == HistoryFault::AnotherInstance) {
            other = std::make_unique<Main_Form>();
            other->setAttribute(Qt::WA_DeleteOnClose, false);
            other->Form_Load();
        }
        Main_Form& main = start();
        if (deleteRow >= 0) {
            clickItem(main.List1, deleteRow);
            QTest::mouseClick(main.Command4, Qt::LeftButton);
        }
        main.Text1->setText(QStringLiteral("new"));
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        if (other) {
            other->List1->setCurrentRow(1);
            other->Command4->click();
            other->Text1->setText(QStringLiteral("other"));
            other->Command3->click();
            other->close();
        }

        QString shown;
        if (!message.isEmpty()) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".")));
            shelltest::answerNextMessageBox(&shown);
        }
        {
            std::optional<filefaults::FileSizeLimit> limit;
            if (fault == HistoryFault::FileSizeLimit) limit.emplace(16);
            if (disk) disk->fill();
            main.close();
        }
        unprivileged.reset();
        QFile::setPermissions(env->programFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        if (fault == HistoryFault::Fifo)
            QVERIFY(QFileInfo::exists(savedFile) && !QFileInfo(savedFile).isFile());
        else if (fault == HistoryFault::TooLarge)
            QCOMPARE(QFileInfo(savedFile).size(), kTooLargeHistory);
        else
            QCOMPARE(ShellEnvironment::fileBytes(savedFile), expected);
        if (savedFile != programFile) QCOMPARE(ShellEnvironment::fileBytes(programFile), initial);
        for (const QString& part : message) QVERIFY2(shown.contains(part), qPrintable(shown));
        if (message.isEmpty()) QCOMPARE(shown, QString());
    }

    void textsLongerThanTheDefaultLimitAreNotCut() {
        // 40,000 characters, most of them a trailing comment, so one sample is quick.
        const QString function = QStringLiteral("x'") + QString(39998, QLatin1Char('c'));

        Main_Form& main = start();
        mForm1* board = Forms<mForm1>::loaded();
        board->start->setText(QStringLiteral("1"));
        board->end->setText(QStringLiteral("1"));
        main.Text1->setText(function);
        QTest::mouseClick(main.Command1, Qt::LeftButton);
        QCOMPARE(board->表达式1->text().size(), function.size());
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        main.SSTab1->setCurrentIndex(1);
        main.Text3->setText(function);
        main.Text4->setText(function);
        QTest::mouseClick(main.Command6, Qt::LeftButton);
        main.close();

        restart();
        Main_Form& again = start();
        clickItem(again.List1, 0);
        QCOMPARE(again.Text1->text(), function);
        again.SSTab1->setCurrentIndex(1);
        clickItem(again.List2, 0);
        QCOMPARE(again.Text3->text(), function);
        QCOMPARE(again.Text4->text(), function);
    }

    void closeMenuEndsAtOnceWithoutSaving() {
        QFile old(programFolderFiles().functions);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("f(x)=old\r\n");
        old.close();

        Main_Form& main = start();
        QCOMPARE(main.List1->count(), 1);
        main.List1->addItem(QStringLiteral("f(x)=new"));
        main.close_->trigger();

        QCOMPARE(env->programEnds, 1);
        QVERIFY(!main.isVisible());
        QVERIFY(!Forms<mForm1>::loaded()->isVisible());
        QCOMPARE(ShellEnvironment::fileBytes(programFolderFiles().functions), QByteArray("f(x)=old\r\n"));
        QVERIFY(!QFileInfo::exists(programFolderFiles().parametric));
        QCOMPARE(ShellEnvironment::storedKeys(), QStringList());

        restart();
        QCOMPARE(itemsOf(start().List1), QStringList{QStringLiteral("f(x)=old")});
    }

    void anUnwritableProgramFolderKeepsTheHistoriesInTheUserFolder() {
        const QString blocker = env->path(QStringLiteral("plainfile"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        setHistoryFolders(blocker + QStringLiteral("/bin"), env->userFolder());

        Main_Form& main = start();
        main.List1->addItem(QStringLiteral("f(x)=x"));
        main.close();
        const HistoryPaths user = historyPathsIn(env->userFolder());
        QCOMPARE(ShellEnvironment::fileBytes(user.functions), QByteArray("f(x)=x\r\n"));
        QVERIFY(QFileInfo::exists(user.parametric));

        restart();
        QCOMPARE(itemsOf(start().List1), QStringList{QStringLiteral("f(x)=x")});
    }

    void aFileThatCannotBeWrittenIsReportedAndTheRestIsSaved() {
        QVERIFY(QDir(env->programFolder()).mkdir(QFileInfo(programFolderFiles().functions).fileName()));
        Main_Form& main = start();
        main.List1->addItem(QStringLiteral("f(x)=lost"));
        main.List2->addItem(QStringLiteral("x = t ; y = t"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("表达式记录\\.txt")));
        QString message;
        shelltest::answerNextMessageBox(&message);
        main.close();
        QVERIFY2(message.contains(QStringLiteral("表达式记录.txt")), qPrintable(message));
        QCOMPARE(ShellEnvironment::fileBytes(programFolderFiles().parametric), QByteArray("x = t ; y = t\r\n"));
        QVERIFY(HasSetting(QStringLiteral("pxpleft")));
        QCOMPARE(env->programEnds, 1);
    }

    void resizingFollowsTheWindowHeight() {
        Main_Form& main = start();
        const int fixedWidth = main.width();
        main.resize(main.width() + 100, 600);
        QCOMPARE(main.width(), fixedWidth);
        const int height = static_cast<int>(toolkit::pixelsToTwipsY(main.frameGeometry().height()));
        QCOMPARE(main.SSTab1->height(), toolkit::twipsToPixelsY(height - 800));
        QCOMPARE(main.List1->height(), toolkit::twipsToPixelsY(height - 2700));
        QCOMPARE(main.List2->height(), toolkit::twipsToPixelsY(height - 2700));
        QCOMPARE(main.Text2->height(), toolkit::twipsToPixelsY(height - 1300));

        // Too small for the lists: they keep their last height.
        const int listHeight = main.List1->height();
        main.resize(main.width(), toolkit::twipsToPixelsY(2000));
        QCOMPARE(main.List1->height(), listHeight);
        QVERIFY(main.SSTab1->height() < listHeight);
    }

    void menusOpenTheOtherWindows() {
        Main_Form& main = start();
        const QStringList bar{QStringLiteral("文件(&F)"), QStringLiteral("选项(&S)"), QStringLiteral("帮助(&H)")};
        QStringList captions;
        for (QAction* action : main.menuBar()->actions()) captions << action->text();
        QCOMPARE(captions, bar);

        main.help->trigger();
        QCOMPARE(main.SSTab1->currentIndex(), 2);
        QVERIFY(main.Text2->isReadOnly());
        QVERIFY(main.Text2->toPlainText().contains(QStringLiteral("50.")));

        main.sd->trigger();
        QVERIFY(Forms<Form2>::loaded());
        QVERIFY(Forms<Form2>::loaded()->isVisible());

        Forms<mForm1>::loaded()->hide();
        main.sf->trigger();
        QVERIFY(Forms<mForm1>::loaded()->isVisible());

        main.help3->trigger();
        QVERIFY(Forms<frmSplash>::loaded());
        QVERIFY(Forms<frmSplash>::loaded()->isVisible());
    }

    void theBoardsOptionsEntryOpensTheSettingsDialog() {
        start();
        QVERIFY(!Forms<Form2>::loaded() || !Forms<Form2>::loaded()->isVisible());
        emit Forms<mForm1>::loaded()->optionsRequested();
        QVERIFY(Forms<Form2>::loaded()->isVisible());
    }

    void theBoardAsksWhichTabIsSelected() {
        Main_Form& main = start();
        QCOMPARE(shellQuestions().selectedMainTab(), 0);
        main.SSTab1->setCurrentIndex(1);
        QCOMPARE(shellQuestions().selectedMainTab(), 1);
        main.help_Click();
        QCOMPARE(shellQuestions().selectedMainTab(), 2);
    }
};

QTEST_MAIN(MainFormTest)
#include "tst_main_form.moc"
