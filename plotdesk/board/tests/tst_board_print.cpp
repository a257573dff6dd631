// Printing the board: true scale puts so many millimetres on paper for one
// unit, a PDF page keeps the lines as lines, and 打印… opens Qt's preview in
// Chinese with the scale choice in it.

#include "board_test_support.h"

#include "board/print_page.h"
#include "toolkit/chinese_translation.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <vector>

using namespace plotdesk;

namespace {

constexpr QRgb kGridBlue = 0x0000FF;

// The middle of each run of `colour` along image row `row`.
std::vector<double> runCentres(const QImage& image, int row, QRgb colour) {
    std::vector<double> centres;
    int runStart = -1;
    for (int column = 0; column <= image.width(); ++column) {
        const bool inRun = column < image.width() && (image.pixel(column, row) & 0xFFFFFF) == colour;
        if (inRun && runStart < 0) runStart = column;
        if (!inRun && runStart >= 0) {
            centres.push_back((runStart + column - 1) / 2.0);
            runStart = -1;
        }
    }
    return centres;
}

}  // namespace

class BoardPrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { toolkit::installChineseTranslation(*qApp); }
    void trueScaleIsMillimetresPerUnit();
    void pdfPageKeepsLinesAsLines();
    void previewOffersTheScaleInChinese();

private:
    boardtest::TemporaryStore store_;
    boardtest::ScriptedQuestions questions_;
};

void BoardPrintTest::trueScaleIsMillimetresPerUnit() {
    // An A4 page at 300 dots per inch, the whole of it printable.
    constexpr double dotsPerInch = 300;
    const QSizeF page(210 / 25.4 * dotsPerInch, 297 / 25.4 * dotsPerInch);
    auto board = boardtest::loadedBoard();  // -1000 to 1000 both ways, grid every 100 units
    const QSizeF units(board->pxp->scaleWidth(), board->pxp->scaleHeight());
    const double mmPerUnit = fittingMmPerUnit(page, dotsPerInch, units);
    QCOMPARE(mmPerUnit, 0.1);  // 2000 units of 0.105 mm would just fill 210 mm

    QImage image(page.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPrintPage(painter, *board->pxp, page, dotsPerInch, PrintOptions{true, mmPerUnit});
    painter.end();

    // Grid lines 100 units apart are 10 mm apart on paper, from 100 mm left
    // of the y axis, which is in the middle of the page (the line at the
    // picture's edge is cut in half, so counting starts with the next). The
    // row lies between two horizontal lines, left of the y axis's labels.
    const double mm = dotsPerInch / 25.4;
    const int row = int(page.height() / 2 - 15 * mm);
    std::vector<double> lines;
    for (const double centre : runCentres(image, row, kGridBlue))
        if (centre < page.width() / 2 - mm) lines.push_back(centre);
    QCOMPARE(lines.size(), size_t(10));
    for (size_t i = 1; i < lines.size(); ++i) {
        const double expected = page.width() / 2 - (100 - 10 * double(i)) * mm;
        QVERIFY2(std::fabs(lines[i] - expected) < 2,
                 qPrintable(QStringLiteral("line %1 at %2, not %3").arg(i).arg(lines[i]).arg(expected)));
    }
    const std::vector<double> axis = runCentres(image, row, boardtest::kRed);
    QCOMPARE(axis.size(), size_t(1));
    QVERIFY(std::fabs(axis.front() - page.width() / 2) < 2);
}

void BoardPrintTest::pdfPageKeepsLinesAsLines() {
    auto board = boardtest::loadedBoard();
    board->表达式1->setText(QStringLiteral("sin(x/20)*300"));
    board->Command1_Click();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QPainter painter(&printer);
    paintPrintPage(painter, *board->pxp, printer.pageRect(QPrinter::DevicePixel).size(), printer.resolution(), {});
    QVERIFY(painter.end());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    // Lines, not a picture of them.
    QVERIFY(!pdf.contains("/Subtype /Image"));
}

void BoardPrintTest::previewOffersTheScaleInChinese() {
    auto board = boardtest::loadedBoard();
    board->show();
    QVERIFY(QTest::qWaitForWindowExposed(board.get()));
    QCOMPARE(board->printPicture->text(), QStringLiteral("打印…"));
    QVERIFY(board->printPicture->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_P)));
    QTest::keyClick(board->表达式1, Qt::Key_P, Qt::ControlModifier);

    QPrintPreviewDialog* dialog = board->findChild<QPrintPreviewDialog*>();
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("打印预览"));
    auto* trueScale = dialog->findChild<QRadioButton*>(QStringLiteral("trueScale"));
    auto* mmPerUnit = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("mmPerUnit"));
    QVERIFY(trueScale && mmPerUnit);
    QVERIFY(!mmPerUnit->isEnabled());
    trueScale->click();
    QVERIFY(mmPerUnit->isEnabled());
    mmPerUnit->setValue(0.05);
    dialog->close();

    // The next preview offers the choice made.
    board->printPicture->trigger();
    QPrintPreviewDialog* again = nullptr;
    QTRY_VERIFY((again = board->findChild<QPrintPreviewDialog*>()) && again != dialog && again->isVisible());
    QVERIFY(again->findChild<QRadioButton*>(QStringLiteral("trueScale"))->isChecked());
    QCOMPARE(again->findChild<QDoubleSpinBox*>(QStringLiteral("mmPerUnit"))->value(), 0.05);
    again->close();
}

QTEST_MAIN(BoardPrintTest)
#include "tst_board_print.moc"
