// The plotdesk program run as a user runs it, without a display: its help in
// Chinese, a message instead of the windows, and the faults a picture file
// meets on its way to the disk (a file-size limit, a full disk, special
// files), none of which may spoil an old picture or pass for success; and
// its windows ending through their close when the system ends them.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

namespace {

const QByteArray kOldPicture = QByteArrayLiteral("an old picture, to be kept whole");

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// A tmpfs of a few pages mounted on `path` while alive; only root may mount.
class SmallDisk {
public:
    explicit SmallDisk(const QString& path) : path_(QFile::encodeName(path)) {
        mounted_ = ::mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    QByteArray path_;
    bool mounted_ = false;
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class CommandLineProcessTest : public QObject {
    Q_OBJECT
private slots:
    void withoutADisplay_data();
    void withoutADisplay();
    void readingExplainsAnErrorAnswer_data();
    void readingExplainsAnErrorAnswer();
    void faultsKeepTheOldPicture_data();
    void faultsKeepTheOldPicture();
    void aFileNameKeepsItsBytes_data();
    void aFileNameKeepsItsBytes();
    void anEndingSignalClosesTheWindows();

private:
    // Runs the program with no display and a private settings store; the
    // child gets a file-size limit when `fileSizeLimit` is set.
    Run run(const QStringList& arguments, std::optional<rlim_t> fileSizeLimit = std::nullopt,
            const QString& display = QString(), const QString& program = QStringLiteral(PLOTDESK_PROGRAM)) const;
    QTemporaryDir home_;
};

Run CommandLineProcessTest::run(const QStringList& arguments, std::optional<rlim_t> fileSizeLimit,
                                const QString& display, const QString& program) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    if (!display.isEmpty()) environment.insert("DISPLAY", display);
    QDir(home_.path()).mkpath("config");
    QDir(home_.path()).mkpath("runtime");
    QFile::setPermissions(home_.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert("XDG_CONFIG_HOME", home_.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", home_.filePath("runtime"));

    QProcess process;
    process.setProcessEnvironment(environment);
    if (fileSizeLimit) {
        // As `ulimit -f` sets it: a write beyond the limit raises SIGXFSZ,
        // which the program must not die of.
        process.setChildProcessModifier([limit = *fileSizeLimit] {
            const rlimit limited{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &limited);
        });
    }
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

void CommandLineProcessTest::withoutADisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outContains");
    QTest::addColumn<int>("errLines");
    QTest::addColumn<QString>("display");
    // Qt's own option lines come out in Chinese too.
    QTest::newRow("help") << QStringList{"--help"} << 0 << QStringList{"用法", "显示版本信息", "--export", "退出状态"}
                          << 0 << QString();
    QTest::newRow("the windows") << QStringList{} << 1 << QStringList{} << 1 << QString();
    QTest::newRow("a refusal") << QStringList{"--size", "9"} << 2 << QStringList{} << 1 << QString();
    // Reading curves needs no display either: key points and a table of
    // values, each line tab-separated, and their refusals.
    QTest::newRow("key points") << QStringList{"--key-points", "--function", "x^2-1", "--function", "x+1",
                                               "--start",      "-3",         "--end", "3"}
                                << 0
                                << QStringList{"零点\t1\t-1\t0\n零点\t2\t-1\t0\n零点\t1\t1\t0\n极小值\t1\t0\t-1\n",
                                               "交点\t1,2\t-1\t0\n交点\t1,2\t2\t3\n纵截距\t1\t0\t-1\n纵截距\t2\t0\t1\n"}
                                << 0 << QString();
    QTest::newRow("table") << QStringList{"--table", "--function", "x^2",    "--start", "-1",
                                          "--end",   "1",          "--step", "0.5"}
                           << 0 << QStringList{"x\tx^2\n-1\t1\n-0.5\t.25\n0\t0\n0.5\t.25\n1\t1\n"} << 0 << QString();
    QTest::newRow("key points over no width")
        << QStringList{"--key-points", "--function", "x", "--start", "2", "--end", "2"} << 2 << QStringList{} << 1
        << QString();
    QTest::newRow("a table of too many rows")
        << QStringList{"--table", "--function", "x", "--step", "0.00001"} << 2 << QStringList{} << 1 << QString();
    QTest::newRow("a curve without a point")
        << QStringList{"--key-points", "--function", "SQR(-1-x^2)", "--start", "-1", "--end", "1"} << 3 << QStringList{}
        << 1 << QString();
    // A DISPLAY naming no X server counts as no display, without Qt's abort
    // or its warnings.
    QTest::newRow("unreachable display, version")
        << QStringList{"--version"} << 0 << QStringList{"Curvolo"} << 0 << QStringLiteral(":4093");
    QTest::newRow("unreachable display, the windows")
        << QStringList{} << 1 << QStringList{} << 1 << QStringLiteral(":4093");
}

void CommandLineProcessTest::withoutADisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outContains);
    QFETCH(int, errLines);
    QFETCH(QString, display);
    const Run result = run(arguments, std::nullopt, display);
    QCOMPARE(result.exitCode, exitCode);
    for (const QString& text : outContains) QVERIFY2(result.out.contains(text), qPrintable(text));
    QVERIFY2(!result.out.contains("Display"), qPrintable(result.out));
    QCOMPARE(result.err.count('\n'), errLines);
    if (errLines > 0) QVERIFY2(result.err.contains("--"), qPrintable(result.err));
}

// A curve read without a point names the evaluator's answer with what it
// means and the slip behind it, as the export does.
void CommandLineProcessTest::readingExplainsAnErrorAnswer_data() {
    QTest::addColumn<QString>("option");
    QTest::newRow("key points") << "--key-points";
    QTest::newRow("table") << "--table";
}

void CommandLineProcessTest::readingExplainsAnErrorAnswer() {
    QFETCH(QString, option);
    const Run result = run({option, "--function", "2x+1", "--start", "-1", "--end", "1"});
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.err.contains(QStringLiteral("ERROR#4（语法错误；乘号不能省略：2x 要写成 2*x）")),
             qPrintable(result.err));
}

void CommandLineProcessTest::faultsKeepTheOldPicture_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("file-size limit reached") << "limit";
    QTest::newRow("disk full") << "full";
    QTest::newRow("a FIFO named like a picture") << "fifo";
    QTest::newRow("a folder named like a picture") << "folder";
}

void CommandLineProcessTest::faultsKeepTheOldPicture() {
    QFETCH(QString, fault);
    QTemporaryDir dir;
    QString folder = dir.path();
    std::unique_ptr<SmallDisk> disk;
    if (fault == "full") {
        folder = dir.filePath("disk");
        QVERIFY(QDir(dir.path()).mkdir("disk"));
        disk = std::make_unique<SmallDisk>(folder);
        if (!disk->mounted()) QSKIP("a small disk needs root and the right to mount; the file-size limit stands in");
    }
    const QString picture = QDir(folder).filePath("plot.png");
    if (fault == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(picture).constData(), 0600), 0);
    } else if (fault == "folder") {
        QVERIFY(QDir(folder).mkdir("plot.png"));
    } else {
        QVERIFY(writeFile(picture, kOldPicture));
    }
    if (fault == "full") {
        // Fill what is left of the disk.
        QFile filler(QDir(folder).filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
    }
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

    const Run result =
        run({"--export", picture, "--size", "800x600"}, fault == "limit" ? std::optional<rlim_t>(4096) : std::nullopt);
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(picture), qPrintable(result.err));
    struct stat after {};
    QCOMPARE(::lstat(QFile::encodeName(picture).constData(), &after), 0);
    if (fault == "fifo") QVERIFY(S_ISFIFO(after.st_mode));
    if (fault == "folder") QVERIFY(S_ISDIR(after.st_mode));
    if (S_ISREG(after.st_mode)) QCOMPARE(contents(picture), kOldPicture);
    // No temporary file is left behind.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
}

void CommandLineProcessTest::aFileNameKeepsItsBytes_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("a stray byte") << QByteArray("raw\xff.png");
    QTest::newRow("GBK") << QByteArray("\xcd\xbc\xcf\xf1.png");
}

// A name that is not UTF-8 is written under its own bytes, never under a
// name with U+FFFD in their place.
void CommandLineProcessTest::aFileNameKeepsItsBytes() {
    QFETCH(QByteArray, name);
    QTemporaryDir dir;
    QString octal;
    for (const char byte : name)
        octal += QStringLiteral("\\%1").arg(uint(static_cast<unsigned char>(byte)), 3, 8, QChar('0'));
    // QProcess passes arguments as text; the shell's printf makes the bytes.
    const Run result =
        run({"-c", R"sh(cd "$1" && exec "$0" --export "$(printf "$2")")sh", PLOTDESK_PROGRAM, dir.path(), octal},
            std::nullopt, QString(), QStringLiteral("/bin/sh"));
    QCOMPARE(result.exitCode, 0);
    struct stat written {};
    QCOMPARE(::stat((QFile::encodeName(dir.path()) + '/' + name).constData(), &written), 0);
    QVERIFY(written.st_size > 0);
    QVERIFY(!QFileInfo::exists(dir.filePath(QString::fromUtf8(name))));
}

// The windows (here on the offscreen platform) end through their ordinary
// close when the system sends SIGTERM, instead of being killed by it.
void CommandLineProcessTest::anEndingSignalClosesTheWindows() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", home_.filePath("config"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PLOTDESK_PROGRAM), {});
    QVERIFY(process.waitForStarted());
    // The signal goes once the program catches it (its "SigCgt" mask).
    const QString status = QStringLiteral("/proc/%1/status").arg(process.processId());
    const auto catchesTerm = [&status] {
        const QByteArray text = contents(status);
        const qsizetype at = text.indexOf("SigCgt:");
        return at >= 0 && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1) & 1);
    };
    QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(), 20'000);
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(20'000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(CommandLineProcessTest)
#include "tst_command_line_process.moc"
