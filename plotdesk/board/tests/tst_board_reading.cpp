// The board's reading of its curves: key points listed and marked, the
// trace snapping to a key point and stepping along and between curves, the
// values at a typed x, and a table of values copied and saved as CSV.

#include "board/board_reading.h"
#include "board/reading_marks.h"
#include "board_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace plotdesk;

class BoardReadingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { store_ = std::make_unique<boardtest::TemporaryStore>(); }
    void keyPointsAreListedAndMarked();
    void traceSnapsAndSteps();
    void valuesAtATypedX();
    void tableOfValuesAsCsv();

private:
    // A shown board with these function curves plotted over -100..100 by 2.
    std::unique_ptr<mForm1> boardWith(const QStringList& functions) {
        auto board = boardtest::loadedBoard();
        board->show();
        for (const QString& function : functions) {
            board->表达式1->setText(function);
            board->Command1_Click();
        }
        return board;
    }
    static BoardReading* readingOf(mForm1& board) { return board.findChild<BoardReading*>(); }

    std::unique_ptr<boardtest::TemporaryStore> store_;
    boardtest::ScriptedQuestions questions_;
};

void BoardReadingTest::keyPointsAreListedAndMarked() {
    auto board = boardWith({"sin(x/20)*300", "x^2/20"});
    BoardReading* reading = readingOf(*board);
    QVERIFY(reading);
    reading->keyPointsAction()->trigger();
    ReadingDialog* dialog = reading->dialog();
    QVERIFY(dialog);
    const TextTable& table = dialog->table();
    QVERIFY(!table.rows.empty());
    QCOMPARE(reading->marks()->marks().size(), table.rows.size());
    const QStringList maximum{"极大值", "1", "31.4159265358979", "300", "x = 10π"};
    QVERIFY2(std::find(table.rows.begin(), table.rows.end(), maximum) != table.rows.end(),
             qPrintable(tabSeparatedText(table)));
    const QStringList meeting{"交点", "1,2", "53.0625293046079", "140.781600810119", ""};
    QVERIFY2(std::find(table.rows.begin(), table.rows.end(), meeting) != table.rows.end(),
             qPrintable(tabSeparatedText(table)));
    dialog->findChild<QPushButton*>("copy")->click();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith("种类\t曲线\tx\ty\t精确值\n"));
}

void BoardReadingTest::traceSnapsAndSteps() {
    auto board = boardWith({"sin(x/20)*300", "x^2/20"});
    BoardReading* reading = readingOf(*board);
    reading->keyPointsAction()->trigger();
    reading->traceAction()->setChecked(true);
    ReadingMarks* marks = reading->marks();

    // Within reach of the maximum at 10π the marker snaps to it.
    reading->traceTo(marks->pixelOf(31.4, 300) + QPointF(2, 3));
    QVERIFY2(marks->readout().contains("x = 31.4159265358979，y = 300"), qPrintable(marks->readout()));
    // A pixel to the right, then on to the other curve at that x.
    const double pixel = board->pxp->scaleWidth() / board->pxp->width();
    reading->traceStep(1, false);
    const QString x = QString::fromStdString(analysis::evaluatorText(31.4159265358979 + pixel));
    QVERIFY2(marks->readout().contains("曲线 1") && marks->readout().contains("x = " + x.left(8)),
             qPrintable(marks->readout()));
    reading->traceNextCurve(1);
    QVERIFY2(marks->readout().contains("曲线 2 y = x^2/20"), qPrintable(marks->readout()));
    // Far from both curves nothing is traced.
    reading->traceTo(marks->pixelOf(0, 0) - QPointF(0, 60));
    QVERIFY2(marks->readout().contains("附近没有曲线"), qPrintable(marks->readout()));
    reading->traceAction()->setChecked(false);
    QVERIFY(marks->readout().isEmpty());
}

void BoardReadingTest::valuesAtATypedX() {
    auto board = boardWith({"sin(x)", "1/x"});
    BoardReading* reading = readingOf(*board);
    reading->valueAtAction()->trigger();
    reading->showValuesAt("PI/6");
    const TextTable& table = reading->dialog()->table();
    QCOMPARE(table.rows.size(), size_t{2});
    // PI is 3.14159265358979 to the evaluator, so x is its sixth.
    QCOMPARE(table.rows[0], (QStringList{"1", "sin(x)", ".523598775598298", ".499999999999999"}));
    QCOMPARE(table.rows[1][3], QString("1.90985931710275"));
    QCOMPARE(reading->marks()->marks().size(), size_t{2});
    reading->showValuesAt("0");
    QCOMPARE(reading->dialog()->table().rows[1][3], QString("ERROR#11"));
    QCOMPARE(reading->marks()->marks().size(), size_t{1});  // 1/x has no point at 0
    reading->showValuesAt("PI/");
    QVERIFY(reading->dialog()->note().contains("ERROR#"));
}

void BoardReadingTest::tableOfValuesAsCsv() {
    auto board = boardWith({"x^2", "1/x"});
    board->start->setText("-1");
    board->end->setText("1");
    board->step1->setText("0.5");
    BoardReading* reading = readingOf(*board);
    reading->valueTableAction()->trigger();
    ReadingDialog* dialog = reading->dialog();
    const TextTable& table = dialog->table();
    QCOMPARE(table.header, (QStringList{"x", "y = x^2", "y = 1/x"}));
    QCOMPARE(table.rows.size(), size_t{5});
    QCOMPARE(table.rows[2], (QStringList{"0", "0", "ERROR#11"}));

    QTemporaryDir dir;
    const QString path = dir.filePath("数值表.csv");
    QVERIFY(!dialog->saveCsv(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBFx,y = x^2,y = 1/x\r\n-1,1,-1\r\n-0.5,.25,-2\r\n0,0,ERROR#11\r\n"
                                        "0.5,.25,2\r\n1,1,1\r\n"));
    // A step of 0 lists nothing and says why.
    dialog->findChild<QLineEdit*>("by")->setText("0");
    dialog->findChild<QPushButton*>("list")->click();
    QVERIFY(dialog->table().rows.empty());
    QVERIFY(dialog->note().contains("步长"));
}

QTEST_MAIN(BoardReadingTest)
#include "tst_board_reading.moc"
