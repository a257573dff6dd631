// Plotting to a PNG file from the command line, without a window.

#include "board_test_support.h"

#include "board/command_line.h"
#include "board/export_plot.h"
#include "board/plot_rules.h"
#include "toolkit/twips.h"

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
    return parts.join(' ');
}

}  // namespace

class BoardExportTest : public QObject {
    Q_OBJECT
private slots:
    void init() { store_ = std::make_unique<boardtest::TemporaryStore>(); }
    void cleanup() { store_.reset(); }

    void parse_data();
    void parse();
    void writesPictureOfTheBoard();
    void curvesInOrderThroughTheColourCycle();
    void samplingFromOptionsOrSettings_data();
    void samplingFromOptionsOrSettings();
    void failuresExitWithOne_data();
    void failuresExitWithOne();
    void helpListsTheOptions();
    void headlessPlatformChosen_data();
    void headlessPlatformChosen();

private:
    QString file(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
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
    QTest::newRow("parametric short of a value")
        << QStringList{"plotdesk", "--export", "e.png", "--parametric", "t"} << "error";
    QTest::newRow("function without a value") << QStringList{"plotdesk", "--export", "e.png", "--function"} << "error";
    QTest::newRow("parametric with one value after =")
        << QStringList{"plotdesk", "--export", "e.png", "--parametric=cos(t)"} << "error";
    QTest::newRow("curve without export") << QStringList{"plotdesk", "--function", "x"} << "error";
    QTest::newRow("unknown option") << QStringList{"plotdesk", "--colour", "red"} << "error";
    QTest::newRow("stray argument") << QStringList{"plotdesk", "picture.png"} << "error";
    QTest::newRow("empty file name") << QStringList{"plotdesk", "--export", ""} << "error";
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
    QCOMPARE(exportPlot(request), std::nullopt);
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

void BoardExportTest::failuresExitWithOne_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unwritable file") << QStringList{"plotdesk", "--export", "/no/such/folder/p.png"};
    QTest::newRow("step of zero") << QStringList{"plotdesk", "--export", "STEP0", "--step", "0"};
    QTest::newRow("unknown option") << QStringList{"plotdesk", "--export", "x.png", "--size", "9"};
}

void BoardExportTest::failuresExitWithOne() {
    QFETCH(QStringList, arguments);
    arguments.replaceInStrings("STEP0", file("zero.png"));
    QCOMPARE(runCommandLine(arguments), std::optional<int>(1));
    QVERIFY(!QFile::exists(file("zero.png")));
}

void BoardExportTest::helpListsTheOptions() {
    const CommandLineRequest request = parseCommandLine({"plotdesk", "-h"});
    const QString text = std::get<ShowHelp>(request).text;
    for (const char* option : {"--export", "--function", "--parametric", "--start", "--end", "--step", "--version"})
        QVERIFY2(text.contains(QLatin1String(option)), option);
}

void BoardExportTest::headlessPlatformChosen_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("export without a display")
        << QByteArrayList{"plotdesk", "--export", "a.png"} << QByteArray() << QByteArray("offscreen");
    QTest::newRow("export= without a display")
        << QByteArrayList{"plotdesk", "--export=a.png"} << QByteArray() << QByteArray("offscreen");
    QTest::newRow("help without a display")
        << QByteArrayList{"plotdesk", "-h"} << QByteArray() << QByteArray("offscreen");
    QTest::newRow("help-all without a display")
        << QByteArrayList{"plotdesk", "--help-all"} << QByteArray() << QByteArray("offscreen");
    QTest::newRow("windows without a display") << QByteArrayList{"plotdesk"} << QByteArray() << QByteArray();
    QTest::newRow("look-alike option") << QByteArrayList{"plotdesk", "--exporter"} << QByteArray() << QByteArray();
    QTest::newRow("export with a display")
        << QByteArrayList{"plotdesk", "--export", "a.png"} << QByteArray(":0") << QByteArray();
}

void BoardExportTest::headlessPlatformChosen() {
    QFETCH(QByteArrayList, arguments);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, platform);
    // The application already runs; only the environment is looked at here,
    // and it is put back afterwards.
    const QByteArray savedPlatform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray savedDisplay = qgetenv("DISPLAY");
    const QByteArray savedWayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("WAYLAND_DISPLAY");
    if (display.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", display);
    std::vector<char*> argv;
    for (QByteArray& argument : arguments) argv.push_back(argument.data());
    chooseHeadlessPlatform(int(argv.size()), argv.data());
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    for (const auto& [name, value] : {std::pair{"QT_QPA_PLATFORM", savedPlatform}, std::pair{"DISPLAY", savedDisplay},
                                      std::pair{"WAYLAND_DISPLAY", savedWayland}})
        value.isEmpty() ? void(qunsetenv(name)) : void(qputenv(name, value));
    QCOMPARE(chosen, platform);
}

QTEST_MAIN(BoardExportTest)
#include "tst_board_export.moc"
