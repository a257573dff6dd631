// Drawing documents: a drawing written out and read back is the same
// drawing, a failed save keeps the old file, and every kind of bad document
// is refused with a message naming the file and the fault.

#include "board/board_document.h"
#include "board/drawing_recovery.h"
#include "settings/setting_keys.h"
#include "toolkit/tests/file_faults.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace plotdesk;

namespace {

// A drawing with every field away from its default.
BoardState sampleState() {
    BoardState state;
    state.layout.record = {1, 2, 3000, 2500, 1500, 1200, -1400, -1100, 50, 25, -90, 80, 3, 16777215, 128, 65280};
    state.layout.gridLines = false;
    state.layout.smoothLines = true;
    state.layout.axesPenWidth = 3;
    state.layout.backgroundPicture = QStringLiteral("/tmp/背景 图.png");
    state.view.kind = BoardViewKind::Zoomed;
    state.view.scale = {-12.5, -0.1, 0.30000000000000004, 1e-5};
    state.view.pictureSize = QSize(640, 480);
    CurveRequest function;
    function.function = QStringLiteral("sin(x/20)*300 '正弦");
    function.range = {-100, 100, 0.1};
    function.colour = 15886349;
    function.penWidth = 3;
    CurveRequest parametric;
    parametric.parametric = true;
    parametric.xOfT = QStringLiteral("cos(t)*\"500\"");
    parametric.yOfT = QStringLiteral("sin(t)\\2");
    parametric.range = {6.5, -1e300, -2.5e299};
    parametric.colour = 0;
    parametric.penWidth = -4;
    state.curves = {{function, true}, {parametric, false}};
    state.colourIndex = 11;
    return state;
}

void compareStates(const BoardState& read, const BoardState& written) {
    for (const SettingKey& setting : settingKeys())
        if (setting.field) QCOMPARE(read.layout.record.*setting.field, written.layout.record.*setting.field);
    QCOMPARE(read.layout.gridLines, written.layout.gridLines);
    QCOMPARE(read.layout.smoothLines, written.layout.smoothLines);
    QCOMPARE(read.layout.axesPenWidth, written.layout.axesPenWidth);
    QCOMPARE(read.layout.backgroundPicture, written.layout.backgroundPicture);
    QCOMPARE(read.view.kind, written.view.kind);
    QCOMPARE(read.view.scale.left, written.view.scale.left);
    QCOMPARE(read.view.scale.top, written.view.scale.top);
    QCOMPARE(read.view.scale.width, written.view.scale.width);
    QCOMPARE(read.view.scale.height, written.view.scale.height);
    QCOMPARE(read.view.pictureSize, written.view.pictureSize);
    QCOMPARE(read.curves.size(), written.curves.size());
    for (size_t i = 0; i < read.curves.size(); ++i) {
        const CurveRequest& a = read.curves[i].request;
        const CurveRequest& b = written.curves[i].request;
        QCOMPARE(a.parametric, b.parametric);
        QCOMPARE(a.function, b.function);
        QCOMPARE(a.xOfT, b.xOfT);
        QCOMPARE(a.yOfT, b.yOfT);
        QCOMPARE(a.range.start, b.range.start);
        QCOMPARE(a.range.end, b.range.end);
        QCOMPARE(a.range.step, b.range.step);
        QCOMPARE(a.colour, b.colour);
        QCOMPARE(a.penWidth, b.penWidth);
        QCOMPARE(read.curves[i].visible, written.curves[i].visible);
    }
    QCOMPARE(read.colourIndex, written.colourIndex);
}

QJsonObject sampleObject() { return QJsonDocument::fromJson(documentBytes(sampleState())).object(); }

// The sample document with the value at `path` (object keys, or array
// indexes as numbers) replaced; an undefined value removes the field.
QJsonValue replaced(QJsonValue node, QStringList path, const QJsonValue& value) {
    if (path.isEmpty()) return value;
    const QString step = path.takeFirst();
    bool isIndex = false;
    const int index = step.toInt(&isIndex);
    if (isIndex) {
        QJsonArray array = node.toArray();
        array[index] = replaced(array[index], path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    if (path.isEmpty() && value.isUndefined())
        object.remove(step);
    else
        object[step] = replaced(object.value(step), path, value);
    return object;
}

QByteArray sampleWith(const QString& path, const QJsonValue& value) {
    return QJsonDocument(replaced(sampleObject(), path.split('.'), value).toObject()).toJson();
}

QByteArray sampleWithCurves(int count) {
    QJsonArray curves;
    const QJsonValue curve = sampleObject()[QStringLiteral("curves")][0];
    for (int i = 0; i < count; ++i) curves.append(curve);
    return sampleWith(QStringLiteral("curves"), curves);
}

}  // namespace

class BoardDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void writtenAndReadBack();
    void badDocumentsAreRefused_data();
    void badDocumentsAreRefused();
    void recoveryOutlivesOnlyACrash();
};

void BoardDocumentTest::writtenAndReadBack() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("画板.curvolo"));
    const BoardState written = sampleState();
    QCOMPARE(writeDocument(path, written), std::nullopt);

    const auto read = readDocument(path);
    if (const QString* problem = std::get_if<QString>(&read)) QFAIL(qPrintable(*problem));
    compareStates(std::get<BoardState>(read), written);

    // A classic view is laid out from the layout alone, and a drawing may
    // have no curves at all.
    BoardState classic;
    QCOMPARE(writeDocument(path, classic), std::nullopt);
    const auto readClassic = readDocument(path);
    QVERIFY(std::holds_alternative<BoardState>(readClassic));
    compareStates(std::get<BoardState>(readClassic), classic);

    // A save that cannot reach the disk keeps the document as it was.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    std::optional<QString> failure;
    {
        const filefaults::FileSizeLimit limit(64);
        failure = writeDocument(path, written);
    }
    QVERIFY(failure);
    QVERIFY2(failure->contains(path) && failure->contains(QStringLiteral("原有的文件保持不变")), qPrintable(*failure));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void BoardDocumentTest::badDocumentsAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");

    const QByteArray good = documentBytes(sampleState());
    const QString notOurs = QStringLiteral("不是 Curvolo 画板文件");
    QTest::newRow("empty") << QByteArray("  \n") << QStringLiteral("文件是空的");
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << notOurs;
    QTest::newRow("a JSON list") << QByteArray("[1, 2]") << notOurs;
    QTest::newRow("another format") << sampleWith(QStringLiteral("format"), QStringLiteral("kmplot")) << notOurs;
    QTest::newRow("no format") << sampleWith(QStringLiteral("format"), QJsonValue::Undefined) << notOurs;
    // Cut at half, at the start of a character.
    qsizetype half = good.size() / 2;
    while (half > 0 && (good[half] & 0xC0) == 0x80) --half;
    QTest::newRow("cut short") << good.left(half) << QStringLiteral("意外结束，内容不完整");
    QTest::newRow("missing comma") << QByteArray("{\n  \"format\": \"curvolo\"\n  \"version\": 1\n}")
                                   << QStringLiteral("第 3 行第 4 列附近：缺少逗号");
    QTest::newRow("text after the end") << good + "}" << QStringLiteral("内容结束后还有多余的字符");
    QTest::newRow("nested too deep") << "{\"a\":" + QByteArray(5000, '[') << QStringLiteral("嵌套层次太深");
    QTest::newRow("number out of range") << QByteArray("{\"format\": \"curvolo\", \"version\": 1e999}")
                                         << QStringLiteral("第 1 行第 39 列附近：数字写法有误或超出范围");
    QTest::newRow("newer version") << sampleWith(QStringLiteral("version"), 2) << QStringLiteral("第 2 版");
    QTest::newRow("version as text") << sampleWith(QStringLiteral("version"), QStringLiteral("1"))
                                     << QStringLiteral("“version”应为 1 到");
    QTest::newRow("invalid UTF-8") << QByteArray(good).replace("正弦", "\xE6\xAD") << QStringLiteral("UTF-8");
    QTest::newRow("overlong UTF-8") << QByteArray(good).replace("正弦", "\xC0\xAF") << QStringLiteral("UTF-8");
    QTest::newRow("UTF-8 surrogate") << QByteArray(good).replace("正弦", "\xED\xA0\x80") << QStringLiteral("UTF-8");
    QTest::newRow("no layout") << sampleWith(QStringLiteral("layout"), QJsonValue::Undefined)
                               << QStringLiteral("缺少“layout”");
    QTest::newRow("width as text") << sampleWith(QStringLiteral("layout.width"), QStringLiteral("3000"))
                                   << QStringLiteral("layout 的“width”应为 -2147483648 到 2147483647 之间的整数");
    QTest::newRow("fractional width") << sampleWith(QStringLiteral("layout._heiht"), 2000.5)
                                      << QStringLiteral("layout 的“_heiht”应为");
    QTest::newRow("width beyond 32 bits")
        << sampleWith(QStringLiteral("layout.max_t"), 3e9) << QStringLiteral("layout 的“max_t”应为");
    QTest::newRow("missing record field") << sampleWith(QStringLiteral("layout.lcolor"), QJsonValue::Undefined)
                                          << QStringLiteral("缺少layout 的“lcolor”");
    QTest::newRow("grid as number") << sampleWith(QStringLiteral("layout.grid"), 1)
                                    << QStringLiteral("“grid”应为 true 或 false");
    QTest::newRow("unknown view") << sampleWith(QStringLiteral("view.kind"), QStringLiteral("polar"))
                                  << QStringLiteral("应为 classic、zoomed、fitted 之一");
    QTest::newRow("flat view") << sampleWith(QStringLiteral("view.scale.height"), 0)
                               << QStringLiteral("view 的 scale 的“height”不能为 0");
    QTest::newRow("huge view picture") << sampleWith(QStringLiteral("view.picture.width"), 100000)
                                       << QStringLiteral("view 的 picture 的“width”应为 1 到 16384");
    QTest::newRow("curves not a list") << sampleWith(QStringLiteral("curves"), QStringLiteral("sin(x)"))
                                       << QStringLiteral("“curves”应为数组");
    QTest::newRow("curve not an object") << sampleWith(QStringLiteral("curves.1"), 7)
                                         << QStringLiteral("第 2 条曲线的内容应为对象");
    QTest::newRow("unknown curve kind") << sampleWith(QStringLiteral("curves.0.kind"), QStringLiteral("polar"))
                                        << QStringLiteral("第 1 条曲线的“kind”应为 function、parametric 之一");
    QTest::newRow("parametric without y")
        << sampleWith(QStringLiteral("curves.1.y"), QJsonValue::Undefined) << QStringLiteral("缺少第 2 条曲线的“y”");
    QTest::newRow("step of zero") << sampleWith(QStringLiteral("curves.0.step"), 0)
                                  << QStringLiteral("第 1 条曲线的“step”不能为 0");
    QTest::newRow("ten million samples") << sampleWith(QStringLiteral("curves.0.step"), 1e-5)
                                         << QStringLiteral("第 1 条曲线的“step”太小：采样点超过 1000000 个");
    QTest::newRow("start as null") << sampleWith(QStringLiteral("curves.0.start"), QJsonValue::Null)
                                   << QStringLiteral("第 1 条曲线的“start”应为数");
    QTest::newRow("colour beyond 24 bits") << sampleWith(QStringLiteral("curves.0.colour"), 16777216)
                                           << QStringLiteral("“colour”应为 0 到 16777215 之间的整数");
    QTest::newRow("pen beyond 16 bits") << sampleWith(QStringLiteral("curves.0.pen"), 40000)
                                        << QStringLiteral("“pen”应为 -32768 到 32767 之间的整数");
    QTest::newRow("visible as text") << sampleWith(QStringLiteral("curves.0.visible"), QStringLiteral("yes"))
                                     << QStringLiteral("第 1 条曲线的“visible”应为 true 或 false");
    QTest::newRow("colour position past the cycle")
        << sampleWith(QStringLiteral("colourIndex"), 12) << QStringLiteral("“colourIndex”应为 0 到 11 之间的整数");
    QTest::newRow("negative colour position")
        << sampleWith(QStringLiteral("colourIndex"), -1) << QStringLiteral("“colourIndex”应为 0 到 11");
    QTest::newRow("text too long") << sampleWith(QStringLiteral("curves.0.function"), QString(65537, 'x'))
                                   << QStringLiteral("第 1 条曲线的“function”长于 65536 个字符");
    QTest::newRow("1,001 curves") << sampleWithCurves(1001) << QStringLiteral("曲线多于 1000 条（有 1001 条）");
    // About 3 MB of empty curves: refused by their number, in bounded time and memory.
    QByteArray million = "{\"format\": \"curvolo\", \"version\": 1, \"curves\": [{}";
    for (int i = 1; i < 1'000'000; ++i) million += ",{}";
    QTest::newRow("a million curves") << million + "]}" << QStringLiteral("曲线多于 1000 条（有 1000000 条）");
    QTest::newRow("10 MB of text") << sampleWith(QStringLiteral("curves.0.function"), QString(10'000'000, 'x'))
                                   << QStringLiteral("文件大于 4 MB");
    QTest::newRow("a folder") << QByteArray() << QStringLiteral("不是普通文件");
    QTest::newRow("a FIFO") << QByteArray() << QStringLiteral("不是普通文件");
    QTest::newRow("no file") << QByteArray() << QStringLiteral("文件不存在");
}

void BoardDocumentTest::badDocumentsAreRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("坏的.curvolo"));
    const QByteArray row = QTest::currentDataTag();
    if (row == "a folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (row == "a FIFO") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (row != "no file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    const filefaults::HangGuard guard(10);
    const auto read = readDocument(path);
    QVERIFY2(std::holds_alternative<QString>(read), "the document was taken");
    const QString message = std::get<QString>(read);
    QVERIFY2(message.startsWith(QStringLiteral("无法打开画板 ") + path + QStringLiteral("：")), qPrintable(message));
    QVERIFY2(message.contains(fault), qPrintable(message));
}

void BoardDocumentTest::recoveryOutlivesOnlyACrash() {
    QTemporaryDir dir;
    const BoardState drawing = sampleState();
    auto empty = [] { return BoardState{}; };
    // A run writes its drawing and then dies without its clean exit.
    int written[2], mayEnd[2];
    QVERIFY(::pipe(written) == 0 && ::pipe(mayEnd) == 0);
    const pid_t run = ::fork();
    if (run == 0) {
        DrawingRecovery crashing(dir.path(), [&drawing] { return drawing; });
        const char done = crashing.writeNow() ? 'f' : 'w';
        char go = 0;
        if (::write(written[1], &done, 1) != 1 || ::read(mayEnd[0], &go, 1) != 1) ::_exit(1);
        ::_exit(0);
    }
    char done = 0;
    QVERIFY(::read(written[0], &done, 1) == 1);
    QCOMPARE(done, 'w');
    {
        // While it lives, its drawing is its own.
        DrawingRecovery other(dir.path(), empty);
        QVERIFY(!other.leftDrawing());
    }
    QVERIFY(::write(mayEnd[1], "g", 1) == 1);
    QVERIFY(::waitpid(run, nullptr, 0) == run);

    int writes = 0;
    DrawingRecovery next(
        dir.path(),
        [&writes] {
            ++writes;
            return BoardState{};
        },
        50);
    const std::optional<DrawingRecovery::LeftDrawing> left = next.leftDrawing();
    QVERIFY(left);
    compareStates(left->state, drawing);
    {
        // A second program starting meanwhile does not offer it again.
        DrawingRecovery another(dir.path(), empty);
        QVERIFY(!another.leftDrawing());
    }
    next.forgetLeftDrawing();

    // Changes in quick succession are written once, a moment later.
    next.drawingChanged();
    next.drawingChanged();
    QVERIFY(!QFile::exists(next.file()));
    QTRY_VERIFY(QFile::exists(next.file()));
    next.drawingChanged();
    QTest::qWait(150);
    QCOMPARE(writes, 2);

    // A clean exit leaves nothing to offer.
    next.discard();
    QVERIFY(!QFile::exists(next.file()));
    DrawingRecovery last(dir.path(), empty);
    QVERIFY(!last.leftDrawing());
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.curvolo")}, QDir::Files), QStringList());
}

QTEST_MAIN(BoardDocumentTest)
#include "tst_board_document.moc"
