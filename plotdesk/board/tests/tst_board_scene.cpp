// The board picture as a scene: the screen, drawn step by step while the
// board plots, equals the whole drawing record drawn at once; an SVG of the
// board keeps its curves as polylines and its labels as text; a PDF page
// comes out at the size asked for.

#include "board_test_support.h"

#include <QBuffer>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <cmath>

using namespace plotdesk;

namespace {

// Three curves named by the word before the variable; the stand-in
// evaluator reads the word and the substituted value.
const QStringList kCurves{"sin x", "cube x", "wave x"};
constexpr int kSamplesPerCurve = 101;  // -100 to 100 by 2

std::string standIn(const std::string& sample) {
    const QString text = QString::fromStdString(sample);
    const QString name = text.section(' ', 0, 0);
    const double v = text.section(' ', 1).toDouble();
    const double y = name == "sin"    ? 300 * std::sin(v / 20)
                     : name == "cube" ? v * v * v / 1000
                                      : 200 * std::cos(v / 15);
    return QString::number(y, 'g', 15).toStdString();
}

// A board of 400 by 400 pixels with axes, grid, labels and the three curves.
std::unique_ptr<mForm1> boardWithCurves(boardtest::TemporaryStore& store, const BoardModel::Evaluator& evaluator) {
    store.set({{"width", "6000"}, {"_heiht", "6000"}});
    auto board = boardtest::loadedBoard();
    board->model().setEvaluator(evaluator);
    for (const QString& curve : kCurves) {
        board->表达式1->setText(curve);
        board->Command1_Click();
    }
    return board;
}

QImage rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

}  // namespace

class BoardSceneTest : public QObject {
    Q_OBJECT
private slots:
    void init() { store_ = std::make_unique<boardtest::TemporaryStore>(); }
    void cleanup() { store_.reset(); }

    void screenEqualsTheRecordDrawnAnew();
    void svgKeepsCurvesAsPolylinesAndLabelsAsText();
    void pdfPageHasTheSizeAskedFor_data();
    void pdfPageHasTheSizeAskedFor();

private:
    std::unique_ptr<boardtest::TemporaryStore> store_;
};

// The screen is brought up to date at every paint with what was drawn since;
// paints in the middle of the curves leave it as one drawing of the whole.
void BoardSceneTest::screenEqualsTheRecordDrawnAnew() {
    mForm1* shown = nullptr;
    int calls = 0;
    auto board = boardWithCurves(*store_, [&](const std::string& text) {
        if (shown && ++calls % 37 == 0) shown->pxp->repaint();
        return standIn(text);
    });
    board->show();
    QVERIFY(QTest::qWaitForWindowExposed(board.get()));
    shown = board.get();
    board->pxp->repaint();
    for (const QString& curve : kCurves) {
        board->表达式1->setText(curve);
        board->Command1_Click();
    }
    QVERIFY(calls > 3 * kSamplesPerCurve - 1);
    QVERIFY(board->pxp->record().segments().size() >= size_t(6 * (kSamplesPerCurve - 1)));

    const QImage screen = rgb(board->pxp->grab().toImage());
    QCOMPARE(screen.size(), board->pxp->size());
    QCOMPARE(screen, rgb(board->pxp->image()));
}

// The board draws each segment back to the previous point; a zigzag drawn
// forwards joins up as well.
void BoardSceneTest::svgKeepsCurvesAsPolylinesAndLabelsAsText() {
    auto board = boardWithCurves(*store_, standIn);
    constexpr int kZigzagSegments = 10;
    for (int i = 0; i < kZigzagSegments; ++i)
        board->pxp->line(100 * i, 50 * (i % 2), 100 * (i + 1), 50 * ((i + 1) % 2));
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(board->pxp->size());
    svg.setViewBox(QRect(QPoint(0, 0), board->pxp->size()));
    QPainter painter(&svg);
    board->pxp->renderPicture(painter, QSizeF(board->pxp->size()));
    painter.end();

    QList<int> curvePoints;  // the points of each polyline of more than one segment
    QStringList texts;
    QXmlStreamReader xml(file.data());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("polyline")) {
            const int points = int(xml.attributes().value("points").split(' ', Qt::SkipEmptyParts).size());
            if (points > 2) curvePoints << points;
        } else if (xml.name() == QLatin1String("text")) {
            texts << xml.readElementText();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(curvePoints, QList<int>(kCurves.size(), kSamplesPerCurve) << kZigzagSegments + 1);
    QCOMPARE(texts.size(), qsizetype(board->pxp->record().texts().size()));
    for (const QString& curve : kCurves) QVERIFY2(texts.contains(" Y =" + curve), qPrintable(curve));
    QVERIFY(texts.contains(" 1000 "));
    QVERIFY(texts.contains("-1000 "));
}

void BoardSceneTest::pdfPageHasTheSizeAskedFor_data() {
    QTest::addColumn<QPageSize>("page");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("A4 portrait") << QPageSize(QPageSize::A4) << QPageLayout::Portrait;
    QTest::newRow("200 by 150 mm, landscape")
        << QPageSize(QSizeF(150, 200), QPageSize::Millimeter) << QPageLayout::Landscape;
}

// A page with the board drawn as large as it fits, and the same page blank.
void BoardSceneTest::pdfPageHasTheSizeAskedFor() {
    QFETCH(QPageSize, page);
    QFETCH(QPageLayout::Orientation, orientation);
    auto board = boardWithCurves(*store_, standIn);
    auto pdfOf = [&](bool drawn) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&file);
        pdf.setPageLayout(QPageLayout(page, orientation, QMarginsF()));
        QPainter painter(&pdf);
        const double side = std::min(pdf.width(), pdf.height());
        if (drawn) board->pxp->renderPicture(painter, QSizeF(side, side));
        painter.end();
        return file.data();
    };
    const QByteArray data = pdfOf(true);
    QVERIFY(data.startsWith("%PDF-"));
    QVERIFY(data.trimmed().endsWith("%%EOF"));
    QSizeF points = page.size(QPageSize::Point);
    if (orientation == QPageLayout::Landscape) points.transpose();
    const QByteArray mediaBox = QByteArray("/MediaBox [0 0 ") + QByteArray::number(points.width(), 'f', 6) + ' ' +
                                QByteArray::number(points.height(), 'f', 6) + ']';
    QVERIFY2(data.contains(mediaBox), mediaBox.constData());
    // Lines, curves and the labels' font make the page far larger than a
    // blank one.
    QVERIFY(data.size() > pdfOf(false).size() + 4096);
}

QTEST_MAIN(BoardSceneTest)
#include "tst_board_scene.moc"
