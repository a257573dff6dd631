// Plotting to a picture file from the command line, without a window: what
// the arguments ask for, the refusals, the formats, the picture's size and
// the exit statuses.

#include "board_test_support.h"

#include "board/board_document.h"
#include "board/command_line.h"
#include "board/export_dialog.h"
#include "board/export_plot.h"
#include "plotting/plot_rules.h"
#include "settings/setting_keys.h"
#include "toolkit/picture_writing.h"
#include "toolkit/twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTimer>
#include <QTreeView>

using namespace plotdesk;
using boardtest::rgbOfWord;

namespace {

QRgb cycleColour(int entry) { return rgbOfWord(QByteArray(kCurveColourEntries[entry]).toInt()); }

// The pixel of the exported picture at a board point of the default scale
// (-1000..1000 both ways, y shown upwards).
QRgb exportedPixel(const QImage& image, double x, double shownY) {
    const int column = int((x + 1000) / 2000 * image.width());
    const int row = int((-shownY + 1000) / 2000 * image.height());
    return image.pixel(column, row) & 0xFFFFFF;
}

QString describe(const CommandLineRequest& request) {
    if (std::holds_alternative<StartWindows>(request)) return "windows";
    if (std::holds_alternative<ShowHelp>(request)) return "help";
    if (std::holds_alternative<ShowVersion>(request)) return "version";
    if (std::holds_alternative<CommandLineError>(request)) return "error";
    const ExportRequest& plot = std::get<ExportRequest>(request);
    QStringList parts{"export " + plot.file};
    for (const ExportCurve& curve : plot.curves)
        parts << (curve.parametric ? "p(" + curve.xOfT + "|" + curve.yOfT + ")" : "f(" + curve.function + ")");
    if (plot.start) parts << "start " + *plot.start;
    if (plot.end) parts << "end " + *plot.end;
    if (plot.step) parts << "step " + *plot.step;
    if (plot.size) parts << QStringLiteral("size %1x%2").arg(plot.size->width()).arg(plot.size->height());
    if (plot.fit) parts << "fit";
    return parts.join(' ');
}

// Why the command line is refused, whether by the parser or by the export
// it asks for; empty when it is not refused.
QString refusalOf(const QStringList& arguments) {
    const CommandLineRequest request = parseCommandLine(arguments);
    if (const auto* error = std::get_if<CommandLineError>(&request)) return error->message;
    if (const auto* plot = std::get_if<ExportRequest>(&request)) {
        const ExportOutcome outcome = exportPlot(*plot);
        if (outcome.result == ExportOutcome::Result::Refused) return outcome.message;
    }
    return {};
}

// Rows of pure red pixels in an image column: a one-pixel axis crossing it
// gives one.
int redRowsInColumn(const QImage& image, int column) {
    int rows = 0;
    for (int row = 0; row < image.height(); ++row) rows += (image.pixel(column, row) & 0xFFFFFF) == boardtest::kRed;
    return rows;
}

}  // namespace

class BoardExportTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        store_ = std::make_unique<boardtest::TemporaryStore>();
        dir_ = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        store_.reset();
        dir_.reset();
    }

    void parse_data();
    void parse();
    void writesPictureOfTheBoard();
    void curvesInOrderThroughTheColourCycle();
    void samplingFromOptionsOrSettings_data();
    void samplingFromOptionsOrSettings();
    void refusalsNameTheOptionAndExitWithTwo_data();
    void refusalsNameTheOptionAndExitWithTwo();
    void failuresExitWithOne_data();
    void failuresExitWithOne();
    void curvesWithoutPointsExitWithThree_data();
    void curvesWithoutPointsExitWithThree();
    void formatsBySuffix_data();
    void formatsBySuffix();
    void storedSizesMakeAPicture_data();
    void storedSizesMakeAPicture();
    void helpListsTheOptions();
    void aDrawingDocumentDrawsAsItsOptionsDid();
    void pictureShortcutsFromATextField();
    void exportDialog_data();
    void exportDialog();
    void exportChooserListsInChinese();
    void headlessPlatformChosen_data();
    void headlessPlatformChosen();

private:
    QString file(const QString& name) const { return dir_->filePath(name); }
    QStringList filesWritten() const { return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden); }
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<boardtest::TemporaryStore> store_;
};

void BoardExportTest::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("request");
    QTest::newRow("no arguments") << QStringList{"plotdesk"} << "windows";
    QTest::newRow("help") << QStringList{"plotdesk", "--help"} << "help";
    QTest::newRow("help with Qt's options") << QStringList{"plotdesk", "--help-all"} << "help";
    QTest::newRow("version") << QStringList{"plotdesk", "--version"} << "version";
    QTest::newRow("export alone") << QStringList{"plotdesk", "--export", "a.png"} << "export a.png";
    QTest::newRow("curves keep their order")
        << QStringList{"plotdesk", "--function", "x", "--export=b.png", "--parametric", "t", "t*t", "--function=-x"}
        << "export b.png f(x) p(t|t*t) f(-x)";
    QTest::newRow("negative range values")
        << QStringList{"plotdesk", "--export", "c.png", "--start", "-5", "--end", "-1", "--step", "0.5"}
        << "export c.png start -5 end -1 step 0.5";
    QTest::newRow("expression starting with a minus")
        << QStringList{"plotdesk", "--export", "d.png", "--function", "-x^2"} << "export d.png f(-x^2)";
    QTest::newRow("size and fit") << QStringList{"plotdesk", "--export", "f.svg", "--size", "800x600", "--fit"}
                                  << "export f.svg size 800x600 fit";
    QTest::newRow("size with a capital X")
        << QStringList{"plotdesk", "--export=g.pdf", "--size=1X2"} << "export g.pdf size 1x2";
}

void BoardExportTest::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, request);
    QCOMPARE(describe(parseCommandLine(arguments)), request);
}

void BoardExportTest::writesPictureOfTheBoard() {
    const QString png = file("board.png");
    QCOMPARE(runCommandLine({"plotdesk", "--export", png, "--function", "x"}), std::optional<int>(0));
    QImage image;
    QVERIFY(image.load(png, "PNG"));
    QCOMPARE(image.size(), QSize(toolkit::twipsToPixelsX(2000), toolkit::twipsToPixelsY(2000)));
    QCOMPARE(exportedPixel(image, -500, 0), boardtest::kRed);
    QCOMPARE(exportedPixel(image, 0, 650), boardtest::kRed);
    QCOMPARE(exportedPixel(image, 50, 50), cycleColour(1));
}

void BoardExportTest::curvesInOrderThroughTheColourCycle() {
    ExportRequest request;
    request.file = file("two.png");
    request.curves = {{false, "500", {}, {}}, {true, {}, "t", "-500"}, {false, "250", {}, {}}};
    QVERIFY(exportPlot(request).result == ExportOutcome::Result::Written);
    QImage image(request.file);
    QCOMPARE(exportedPixel(image, 50, 500), cycleColour(1));
    QCOMPARE(exportedPixel(image, 50, -500), cycleColour(2));
    // The parametric curve took two entries of the cycle.
    QCOMPARE(exportedPixel(image, 50, 250), cycleColour(4));
}

void BoardExportTest::samplingFromOptionsOrSettings_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("drawnAtMinus300");
    QTest::newRow("stored defaults stop at -100") << QStringList{} << QStringList{} << false;
    QTest::newRow("stored start") << QStringList{"start", "-500"} << QStringList{} << true;
    QTest::newRow("option over the store") << QStringList{"start", "-500"} << QStringList{"--start", "0"} << false;
    QTest::newRow("option range") << QStringList{} << QStringList{"--start", "-400", "--step", "10"} << true;
}

void BoardExportTest::samplingFromOptionsOrSettings() {
    QFETCH(QStringList, stored);
    QFETCH(QStringList, options);
    QFETCH(bool, drawnAtMinus300);
    if (!stored.isEmpty()) SaveSetting(stored[0], stored[1]);
    const QString png = file("range.png");
    QCOMPARE(runCommandLine(QStringList{"plotdesk", "--export", png, "--function", "500"} + options),
             std::optional<int>(0));
    const QImage image(png);
    QCOMPARE(exportedPixel(image, -300, 500) == cycleColour(1), drawnAtMinus300);
    QCOMPARE(exportedPixel(image, 50, 500), cycleColour(1));
}

// Every refusal names what was wrong and the form that is accepted, in
// Chinese, writes nothing and exits with 2. OUT stands for a file in the
// test's folder.
void BoardExportTest::refusalsNameTheOptionAndExitWithTwo_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("form");
    QTest::newRow("export without a value") << QStringList{"--export"} << "--export"
                                            << "--export <FILE>";
    QTest::newRow("empty file name") << QStringList{"--export", ""} << "--export"
                                     << "--export <FILE>";
    QTest::newRow("unknown suffix") << QStringList{"--export", "OUT.gif"} << ".gif"
                                    << ".pdf";
    QTest::newRow("second export") << QStringList{"--export", "OUT.png", "--export", "OUT.bmp"} << "--export"
                                   << "--export <FILE>";
    QTest::newRow("repeated step") << QStringList{"--export", "OUT.png", "--step", "1", "--step", "2"} << "--step"
                                   << "--step <S>";
    QTest::newRow("function without a value") << QStringList{"--export", "OUT.png", "--function"} << "--function"
                                              << "--function <EXPR>";
    QTest::newRow("parametric short of a value")
        << QStringList{"--export", "OUT.png", "--parametric", "t"} << "--parametric"
        << "--parametric <X(t) Y(t)>";
    QTest::newRow("parametric with one value after =")
        << QStringList{"--export", "OUT.png", "--parametric=cos(t)"} << "--parametric"
        << "--parametric <X(t) Y(t)>";
    QTest::newRow("curve without export") << QStringList{"--function", "x"} << "--function"
                                          << "--export <FILE>";
    QTest::newRow("unknown option") << QStringList{"--colour", "red"} << "--colour"
                                    << "--export、";
    QTest::newRow("stray argument") << QStringList{"drawing.curvolo", "picture.png"} << "picture.png"
                                    << "--export 图像.png";
    QTest::newRow("drawing not there") << QStringList{"--export", "OUT.png", "missing.curvolo"} << "missing.curvolo"
                                       << "文件不存在";
    QTest::newRow("start not a number") << QStringList{"--export", "OUT.png", "--start", "abc"} << "--start"
                                        << "--start <A>";
    QTest::newRow("step of zero") << QStringList{"--export", "OUT.png", "--step", "0"} << "--step"
                                  << "--step <S>";
    QTest::newRow("range of too many samples") << QStringList{"--export", "OUT.png", "--step", "0.00001"} << "--step"
                                               << "--start -100";
    QTest::newRow("malformed size") << QStringList{"--export", "OUT.png", "--size", "800*600"} << "--size"
                                    << "--size <WxH>";
    QTest::newRow("size without pixels") << QStringList{"--export", "OUT.png", "--size", "0x600"} << "--size"
                                         << "--size <WxH>";
    QTest::newRow("size too large") << QStringList{"--export", "OUT.png", "--size", "16385x10"} << "--size"
                                    << "--size <WxH>";
    QTest::newRow("switch with a value") << QStringList{"--export", "OUT.png", "--fit=1"} << "--fit"
                                         << "--fit";
}

void BoardExportTest::refusalsNameTheOptionAndExitWithTwo() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QFETCH(QString, form);
    arguments.replaceInStrings(QRegularExpression("^OUT"), file("out"));
    arguments.prepend("plotdesk");
    const QString message = refusalOf(arguments);
    QVERIFY2(message.contains(named) && message.contains(form), qPrintable(message));
    QVERIFY2(message.contains(QRegularExpression("[\\x{4e00}-\\x{9fff}]")), qPrintable(message));
    QCOMPARE(runCommandLine(arguments), std::optional<int>(2));
    QCOMPARE(filesWritten(), QStringList());
}

void BoardExportTest::failuresExitWithOne_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unwritable file") << QStringList{"plotdesk", "--export", "/no/such/folder/p.png"};
    QTest::newRow("a folder in the way") << QStringList{"plotdesk", "--export", "FOLDER"};
}

void BoardExportTest::failuresExitWithOne() {
    QFETCH(QStringList, arguments);
    QVERIFY(QDir(dir_->path()).mkdir("folder.png"));
    arguments.replaceInStrings("FOLDER", file("folder.png"));
    QCOMPARE(runCommandLine(arguments), std::optional<int>(1));
    QVERIFY(QFileInfo(file("folder.png")).isDir());
    QCOMPARE(filesWritten(), QStringList());
}

// A curve that got no point is reported with the first answer the evaluator
// gave for it; the picture is written all the same and the status is 3.
void BoardExportTest::curvesWithoutPointsExitWithThree_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("reported");
    QTest::newRow("every curve drawn") << QStringList{"--function", "x", "--parametric", "t", "-t"} << QStringList{};
    QTest::newRow("an unclosed bracket") << QStringList{"--function", "sin(x"}
                                         << QStringList{"sin(x: ERROR#2（少了右括号：有 ( 没有配对的 )）"};
    QTest::newRow("one of two curves") << QStringList{"--function", "1/0", "--function", "x"}
                                       << QStringList{"1/0: ERROR#11（除数为 0）"};
    QTest::newRow("a parametric curve's Y")
        << QStringList{"--parametric", "t", "1/0"} << QStringList{"1/0: ERROR#11（除数为 0）"};
    QTest::newRow("a range without a sample")
        << QStringList{"--function", "x", "--start", "5", "--end", "1"} << QStringList{"x: 取值范围内没有一个采样点"};
    QTest::newRow("a number before x") << QStringList{"--function", "2x+1"}
                                       << QStringList{"2x+1: ERROR#4（语法错误；乘号不能省略：2x 要写成 2*x）"};
    QTest::newRow("a sample beyond single precision")
        << QStringList{"--function", "1", "--start", "1e39", "--end", "1e39"}
        << QStringList{"1: x 的取值都超出了能画出的范围（绝对值要小于 3.4E+38）"};
}

void BoardExportTest::curvesWithoutPointsExitWithThree() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, reported);
    const QStringList arguments = QStringList{"plotdesk", "--export", file("p.png")} + options;
    const ExportOutcome outcome = exportPlot(std::get<ExportRequest>(parseCommandLine(arguments)));
    QCOMPARE(outcome.curvesWithoutPoints, reported);
    QVERIFY(QFile::remove(file("p.png")));
    QCOMPARE(runCommandLine(arguments), std::optional<int>(reported.isEmpty() ? 0 : 3));
    QVERIFY(QImage(file("p.png")).size().isValid());
}

// The suffix picks the format; --size lays the board out anew at that size
// with the same scale range, so the axes stay one pixel wide and centred.
// The size lies a point from A4's, which a PDF page must not snap to, and
// the painter that draws the picture covers the whole page or image.
void BoardExportTest::formatsBySuffix_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("PNG") << "p.png" << QByteArray("\x89PNG\r\n");
    QTest::newRow("JPEG") << "p.jpg" << QByteArray("\xFF\xD8\xFF");
    QTest::newRow("JPEG, long suffix in capitals") << "p.JPEG" << QByteArray("\xFF\xD8\xFF");
    QTest::newRow("BMP") << "p.bmp" << QByteArray("BM");
    QTest::newRow("SVG") << "p.svg" << QByteArray("<?xml");
    QTest::newRow("PDF") << "p.pdf" << QByteArray("%PDF-");
}

void BoardExportTest::formatsBySuffix() {
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    const QSize size(596, 842);
    const QString path = file(name);
    QCOMPARE(runCommandLine({"plotdesk", "--export", path, "--size", "596x842"}), std::optional<int>(0));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QVERIFY2(bytes.startsWith(start), bytes.left(8).toHex().constData());

    if (name.endsWith(".svg")) {
        QSvgRenderer svg(bytes);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(QPoint(), size));
    } else if (name.endsWith(".pdf")) {
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        const QRegularExpressionMatch page =
            QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(QString::fromLatin1(bytes));
        QVERIFY(page.hasMatch());
        QCOMPARE(QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()), QSizeF(size));
    } else {
        const QImage image = QImage::fromData(bytes);
        QCOMPARE(image.size(), size);
        if (!name.endsWith(".jpg", Qt::CaseInsensitive) && !name.endsWith(".jpeg", Qt::CaseInsensitive)) {
            // The x axis crosses the column at x = -550, between two grid lines.
            QCOMPARE(redRowsInColumn(image, int(450.0 / 2000 * size.width())), 1);
            QCOMPARE(exportedPixel(image, -550, 0), boardtest::kRed);
        }
    }
    QSize painted;
    toolkit::pictureBytes(*toolkit::pictureFormatOf(path), size, [&painted](QPainter& painter, const QSizeF&) {
        painted = QSize(painter.device()->width(), painter.device()->height());
    });
    QCOMPARE(painted, size);
}

// Stored board sizes that cannot make a picture take the default; one too
// large is shrunk to the largest that fits, with a note.
void BoardExportTest::storedSizesMakeAPicture_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("pixels");
    const int usual = toolkit::twipsToPixelsX(2000);
    QTest::newRow("no pixel wide") << "0"
                                   << "3000" << QSize(usual, toolkit::twipsToPixelsY(3000));
    QTest::newRow("one twip high") << "3000"
                                   << "1" << QSize(toolkit::twipsToPixelsX(3000), usual);
    QTest::newRow("negative") << "-3000"
                              << "-1" << QSize(usual, usual);
    QTest::newRow("too large for memory") << "245760"
                                          << "245760" << QSize(8192, 8192);
    QTest::newRow("wider than any picture") << "2147483647"
                                            << "2000" << QSize(16384, usual);
}

void BoardExportTest::storedSizesMakeAPicture() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, pixels);
    store_->set({{key::width, width}, {key::_heiht, height}});
    if (pixels.width() > 4096) QTest::ignoreMessage(QtWarningMsg, QRegularExpression("已缩小为 \\d+×\\d+ 像素"));
    const boardtest::ScriptedQuestions questions;
    const auto board = boardtest::loadedBoard();
    QCOMPARE(board->pxp->size(), pixels);
}

// --export NAME.curvolo keeps what the options draw; exporting that drawing
// gives the very picture the options give, and curves given beside it are
// drawn after its own.
void BoardExportTest::aDrawingDocumentDrawsAsItsOptionsDid() {
    const QString drawing = file("两条.curvolo");
    const QStringList curves{"--function",    "sin(x/20)*300", "--parametric", "cos(t/20)*500",
                             "sin(t/20)*500", "--size",        "300x200",      "--fit"};
    QCOMPARE(runCommandLine(QStringList{"plotdesk", "--export", drawing} + curves), std::optional<int>(0));
    QCOMPARE(runCommandLine(QStringList{"plotdesk", "--export", file("direct.png")} + curves), std::optional<int>(0));
    QCOMPARE(runCommandLine({"plotdesk", "--export", file("opened.png"), drawing}), std::optional<int>(0));
    const QImage direct(file("direct.png"));
    QVERIFY(!direct.isNull());
    QCOMPARE(QImage(file("opened.png")), direct);

    QCOMPARE(runCommandLine({"plotdesk", "--export", file("more.curvolo"), drawing, "--function", "x"}),
             std::optional<int>(0));
    const auto more = readDocument(file("more.curvolo"));
    QVERIFY(std::holds_alternative<BoardState>(more));
    QCOMPARE(std::get<BoardState>(more).curves.size(), size_t(3));
    QCOMPARE(std::get<BoardState>(more).curves[2].request.function, QStringLiteral("x"));
}

void BoardExportTest::helpListsTheOptions() {
    const CommandLineRequest request = parseCommandLine({"plotdesk", "-h"});
    const QString text = std::get<ShowHelp>(request).text;
    for (const char* option :
         {"--export", "--function", "--parametric", "--start", "--end", "--step", "--size", "--fit", "--version"})
        QVERIFY2(text.contains(QLatin1String(option)), option);
}

// With the focus in a text field, Ctrl+Shift+C copies the picture and
// Ctrl+S opens the export dialog at the picture's size; Ctrl+C still copies
// the field's text.
void BoardExportTest::pictureShortcutsFromATextField() {
    const boardtest::ScriptedQuestions questions;
    const auto board = boardtest::loadedBoard();
    board->show();
    QVERIFY(QTest::qWaitForWindowActive(board.get()));
    board->start->setFocus();
    board->start->selectAll();
    QClipboard* clipboard = QGuiApplication::clipboard();
    QTest::keyClick(board->start, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), board->start->text());
    QTest::keyClick(board->start, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32), board->pxp->image());
    QTest::keyClick(board->start, Qt::Key_S, Qt::ControlModifier);
    auto* dialog = board->findChild<ExportPictureDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(QSize(dialog->widthPixels->value(), dialog->heightPixels->value()), board->pxp->size());
}

// The dialog writes what the board shows at the size asked for, the other
// side following with proportions kept; when it cannot, it stays open and
// says why. A typed name of an existing file is replaced only when the user
// answers the question with REPLACE, "yes" or "no" (empty when no question
// may come). NAME stands for a file in the test's folder; EXISTING is a
// picture there beforehand.
void BoardExportTest::exportDialog_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("problem");
    QTest::newRow("SVG twice as wide and high") << "NAME.svg" << 266 << QString() << "NAME.svg" << QString();
    QTest::newRow("no suffix is PNG") << "NAME" << 100 << QString() << "NAME.png" << QString();
    QTest::newRow("unknown suffix") << "NAME.gif" << 100 << QString() << QString() << ".pdf";
    QTest::newRow("folder missing") << "NAME/none/p.pdf" << 100 << QString() << QString() << "none/p.pdf";
    QTest::newRow("too large") << "NAME.png" << 16384 << QString() << QString() << "太大";
    QTest::newRow("existing file, replace refused") << "EXISTING" << 100 << "no" << QString() << QString();
    QTest::newRow("existing file, replaced") << "EXISTING" << 100 << "yes"
                                             << "EXISTING" << QString();
}

void BoardExportTest::exportDialog() {
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(QString, replace);
    QFETCH(QString, written);
    QFETCH(QString, problem);
    const boardtest::ScriptedQuestions questions;
    const auto board = boardtest::loadedBoard();
    board->exportPicture->trigger();
    auto* dialog = board->findChild<ExportPictureDialog*>();
    QVERIFY(dialog);
    const QSize shown = board->pxp->size();
    const QByteArray oldBytes("an older picture");
    QFile existing(file("q.png"));
    QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write(oldBytes) == oldBytes.size());
    existing.close();
    dialog->fileName->setText(name.replace("EXISTING", file("q.png")).replace("NAME", file("p")));
    dialog->widthPixels->setValue(width);
    const int height = dialog->heightPixels->value();
    QCOMPARE(height, qRound(double(width) * shown.height() / shown.width()));

    // Answers the replace question, if one comes.
    QString asked;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        asked = box->text();
        box->button(replace == "yes" ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    answer.start(20);
    dialog->save();
    answer.stop();

    QCOMPARE(asked.contains(QStringLiteral("已经存在")), !replace.isEmpty());
    QCOMPARE(dialog->isVisible(), !problem.isEmpty() || replace == "no");
    QVERIFY2(dialog->problem->text().contains(problem), qPrintable(dialog->problem->text()));
    written.replace("EXISTING", "q.png").replace("NAME", "p");
    QStringList expected{"q.png", written};
    expected.removeAll(QString());
    expected.removeDuplicates();
    expected.sort();
    QCOMPARE(filesWritten(), expected);
    if (written.endsWith(".svg")) {
        QCOMPARE(QSvgRenderer(file(written)).viewBox(), QRect(0, 0, width, height));
    } else if (!written.isEmpty()) {
        QCOMPARE(QImage(file(written)).size(), QSize(width, height));
    }
    if (written != "q.png") {
        QFile kept(file("q.png"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), oldBytes);
    }
}

void BoardExportTest::headlessPlatformChosen_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("named");
    QTest::addColumn<bool>("hasDisplay");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("export without a display") << QByteArrayList{"plotdesk", "--export", "a.png"} << QByteArray()
                                              << QByteArray() << false << QByteArray("offscreen");
    QTest::newRow("windows without a display")
        << QByteArrayList{"plotdesk"} << QByteArray() << QByteArray() << false << QByteArray("offscreen");
    QTest::newRow("X11 named without a display")
        << QByteArrayList{"plotdesk"} << QByteArray() << QByteArray("xcb") << false << QByteArray("offscreen");
    QTest::newRow("another platform named")
        << QByteArrayList{"plotdesk"} << QByteArray() << QByteArray("minimal") << true << QByteArray("minimal");
    QTest::newRow("platform argument") << QByteArrayList{"plotdesk", "-platform", "minimal"} << QByteArray()
                                       << QByteArray() << true << QByteArray();
    // X11 is tried with the offscreen platform behind it; this test runs
    // offscreen, which is how a display that could not be reached looks.
    QTest::newRow("export with a display") << QByteArrayList{"plotdesk", "--export", "a.png"} << QByteArray(":0")
                                           << QByteArray() << true << QByteArray("xcb;offscreen");
    QTest::newRow("X11 named with a display")
        << QByteArrayList{"plotdesk"} << QByteArray(":0") << QByteArray("xcb") << true << QByteArray("xcb;offscreen");
    QTest::newRow("another platform with a display")
        << QByteArrayList{"plotdesk"} << QByteArray(":0") << QByteArray("minimal") << true << QByteArray("minimal");
}

void BoardExportTest::headlessPlatformChosen() {
    QFETCH(QByteArrayList, arguments);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, named);
    QFETCH(bool, hasDisplay);
    QFETCH(QByteArray, platform);
    // The application already runs; only the environment is looked at here,
    // and it is put back afterwards.
    const QByteArray savedPlatform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray savedDisplay = qgetenv("DISPLAY");
    const QByteArray savedWayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    for (const auto& [name, value] : {std::pair{"QT_QPA_PLATFORM", named}, std::pair{"DISPLAY", display}})
        value.isEmpty() ? void(qunsetenv(name)) : void(qputenv(name, value));
    std::vector<char*> argv;
    for (QByteArray& argument : arguments) argv.push_back(argument.data());
    const bool found = prepareDisplay(int(argv.size()), argv.data());
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    const bool reached = displayReached(found);
    const QByteArray putBack = qgetenv("QT_QPA_PLATFORM");
    for (const auto& [name, value] : {std::pair{"QT_QPA_PLATFORM", savedPlatform}, std::pair{"DISPLAY", savedDisplay},
                                      std::pair{"WAYLAND_DISPLAY", savedWayland}})
        value.isEmpty() ? void(qunsetenv(name)) : void(qputenv(name, value));
    QCOMPARE(found, hasDisplay);
    QCOMPARE(chosen, platform);
    const bool x11Tried = platform.startsWith("xcb;");
    QCOMPARE(reached, hasDisplay && !x11Tried);
    QCOMPARE(putBack, x11Tried ? named : platform);
}

// The chooser behind 浏览… is Qt's own, its list in Chinese; cancelled, it
// leaves the name as it was.
void BoardExportTest::exportChooserListsInChinese() {
    const boardtest::ScriptedQuestions questions;
    const auto board = boardtest::loadedBoard();
    board->exportPicture->trigger();
    auto* dialog = board->findChild<ExportPictureDialog*>();
    QVERIFY(dialog);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sub")));
    dialog->fileName->setText(file("p.png"));

    QString folderType;
    QElapsedTimer waited;
    waited.start();
    QTimer look;
    connect(&look, &QTimer::timeout, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser) return;
        if (const auto* view = chooser->findChild<QTreeView*>(QStringLiteral("treeView"))) {
            const QAbstractItemModel* list = view->model();
            for (int row = 0; row < list->rowCount(view->rootIndex()); ++row) {
                const QModelIndex name = list->index(row, 0, view->rootIndex());
                if (name.data().toString() == QLatin1String("sub"))
                    folderType = name.siblingAtColumn(2).data().toString();
            }
        }
        if (!folderType.isEmpty() || waited.elapsed() > 10'000) chooser->reject();
    });
    look.start(20);
    dialog->browse();
    QCOMPARE(folderType, QStringLiteral("文件夹"));
    QCOMPARE(dialog->fileName->text(), file("p.png"));
}

QTEST_MAIN(BoardExportTest)
#include "tst_board_export.moc"
