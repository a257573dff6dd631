// The drawing as a document of the main window's 文件 menu: opening one
// reproduces the picture saved and leaves the settings store alone, the
// title names it and marks unsaved changes, unsaved changes are asked about
// before they would be lost, the drawings opened last are listed and kept,
// and a drawing left by a crash is offered back.

#include "shell_test_support.h"

#include "board/board_document.h"
#include "board/board_model.h"
#include "board/board_picture.h"
#include "settings/setting_keys.h"
#include "shell/drawing_document.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>
#include <QtTest>

using namespace plotdesk;
using shelltest::Forms;

namespace {

Main_Form& start() {
    Main_Form& main = Forms<Main_Form>::get();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) qWarning("main window not exposed");
    return main;
}

// Plots a function as the main window's 画图 does.
void plot(Main_Form& main, const QString& function) {
    main.Text1->setText(function);
    main.Command1_Click();
}

QImage boardPicture() {
    const mForm1* board = Forms<mForm1>::loaded();
    return boardPictureImage(board->model().picture(), board->model().picture().size());
}

// Answers the next question box by the button with `caption`, and keeps its
// text in `*text`.
void answerNextQuestion(const QString& caption, QString* text = nullptr) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, caption, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* button : box->buttons())
            if (button->text() == caption) {
                if (text) *text = box->text();
                poll->stop();
                poll->deleteLater();
                button->click();
                return;
            }
    });
    poll->start(10);
}

}  // namespace

class DrawingDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<shelltest::ShellEnvironment>();
        env->answerDrawingQuestions(false);
    }
    void cleanup() { env.reset(); }

    void openingReproducesThePictureAndLeavesTheStore() {
        Main_Form& main = start();
        DrawingDocument& document = main.document();
        QCOMPARE(main.windowTitle(), QString::fromUtf8(product::kWindowTitle));
        plot(main, QStringLiteral("sin(x/20)*300"));
        plot(main, QStringLiteral("x^2/50-400"));
        Forms<mForm1>::loaded()->zoomIn();
        QVERIFY(main.isWindowModified());
        QVERIFY(main.windowTitle().startsWith(QStringLiteral("未命名画板[*]")));

        const QString path = env->path(QStringLiteral("两条曲线.curvolo"));
        QVERIFY(document.saveTo(path));
        QVERIFY(!main.isWindowModified());
        QVERIFY(main.windowTitle().startsWith(QStringLiteral("两条曲线.curvolo[*]")));
        const QImage saved = boardPicture();

        // A new drawing, then the saved one again: the same picture, and not
        // a byte of the settings store changed by the opening.
        main.document().newAction->trigger();
        QVERIFY(boardPicture() != saved);
        const QByteArray store = shelltest::ShellEnvironment::fileBytes(settingsFilePath());
        QVERIFY(document.open(path));
        QCOMPARE(boardPicture(), saved);
        QCOMPARE(shelltest::ShellEnvironment::fileBytes(settingsFilePath()), store);
        QVERIFY(!main.isWindowModified());
        QCOMPARE(document.recentDrawings(), QStringList{QFileInfo(path).absoluteFilePath()});

        // A document that is not one is refused by name; the board stays.
        const QString bad = env->path(QStringLiteral("坏的.curvolo"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"format\": \"curvolo\", \"version\": 9}") > 0);
        file.close();
        QString message;
        shelltest::answerNextMessageBox(&message);
        QVERIFY(!document.open(bad));
        QVERIFY2(message.contains(bad) && message.contains(QStringLiteral("第 9 版")), qPrintable(message));
        QCOMPARE(boardPicture(), saved);
        QCOMPARE(document.path(), path);
    }

    void unsavedChangesAreAskedAbout() {
        Main_Form& main = start();
        plot(main, QStringLiteral("x"));
        QVERIFY(main.document().modified());

        // 取消 keeps the program and the drawing.
        answerNextQuestion(QStringLiteral("取消"));
        QVERIFY(!main.close());
        QCOMPARE(env->programEnds, 0);
        QVERIFY(main.document().modified());

        // 不保存 lets it go, and the program ends as its close box ends it.
        QString question;
        answerNextQuestion(QStringLiteral("不保存"), &question);
        QVERIFY(main.close());
        QVERIFY(question.contains(QStringLiteral("未保存的改动")));
        QCOMPARE(env->programEnds, 1);
    }

    void theDrawingsOpenedLastAreKept() {
        const QString first = env->path(QStringLiteral("一.curvolo"));
        const QString second = env->path(QStringLiteral("二.curvolo"));
        for (const QString& path : {first, second}) QVERIFY(!writeDocument(path, BoardState{}));
        {
            Main_Form& main = start();
            QVERIFY(main.document().open(first));
            QVERIFY(main.document().open(second));
            QVERIFY(main.document().open(first));
            QStringList listed;
            for (QAction* entry : main.document().recentMenu->actions()) listed << entry->text();
            QCOMPARE(listed, (QStringList{QStringLiteral("&1 一.curvolo"), QStringLiteral("&2 二.curvolo")}));
            QVERIFY(main.close());
        }
        shelltest::dropAllWindows();
        Main_Form& again = start();
        QCOMPARE(again.document().recentDrawings(),
                 (QStringList{QFileInfo(first).absoluteFilePath(), QFileInfo(second).absoluteFilePath()}));
        again.document().recentMenu->actions().at(1)->trigger();
        QCOMPARE(again.document().path(), QFileInfo(second).absoluteFilePath());
    }

    void aDrawingLeftByACrashIsOfferedBack() {
        const QString folder = env->path(QStringLiteral("recovery"));
        QDir().mkpath(folder);
        // What a run that crashed leaves: its recovery file, with no living
        // program holding it.
        BoardState left;
        left.layout = BoardModel::storedLayout();
        CurveRequest curve;
        curve.function = QStringLiteral("x*2");
        curve.range = {-100, 100, 2};
        curve.colour = 255;
        left.curves.push_back({curve, true});
        QVERIFY(!writeDocument(QDir(folder).filePath(QStringLiteral("drawing-1-1.curvolo")), left));

        keepDrawingsSafeIn(folder);
        QString question;
        answerNextQuestion(QStringLiteral("恢复"), &question);
        Main_Form& main = start();
        QTRY_COMPARE(Forms<mForm1>::loaded()->model().state().curves.size(), size_t(1));
        QVERIFY(question.contains(QStringLiteral("1 条曲线")));
        QCOMPARE(Forms<mForm1>::loaded()->model().state().curves[0].request.function, QStringLiteral("x*2"));
        QVERIFY(main.isWindowModified());

        // A clean end leaves nothing behind to offer next time.
        answerNextQuestion(QStringLiteral("不保存"));
        QVERIFY(main.close());
        keepDrawingsSafeIn(QString());
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.curvolo")}, QDir::Files), QStringList());
    }

private:
    std::unique_ptr<shelltest::ShellEnvironment> env;
};

QTEST_MAIN(DrawingDocumentTest)
#include "tst_drawing_document.moc"
