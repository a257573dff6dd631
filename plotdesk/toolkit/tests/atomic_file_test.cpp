// Replacing a file's contents under injected faults: the old file must stay
// whole whenever the new one cannot be written completely, and paths that
// are not regular files are never replaced.

#include "toolkit/atomic_file.h"
#include "toolkit/file_name_bytes.h"
#include "toolkit/tests/file_faults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstring>

using plotdesk::toolkit::fileNameFromBytes;
using plotdesk::toolkit::replaceFileContents;

namespace {

const QByteArray kOld = QByteArrayLiteral("old contents\r\n");
const QByteArray kNew(64 * 1024, 'n');

// The bytes of the file at `path`, a name as the system holds it.
QByteArray contents(const QByteArray& path) {
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY);
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? file.readAll() : QByteArray();
}

}  // namespace

class AtomicFileTest : public QObject {
    Q_OBJECT
private slots:
    void faultsKeepTheOldFile_data();
    void faultsKeepTheOldFile();
    void replacingReachesTheFinalFile_data();
    void replacingReachesTheFinalFile();
    void anEndingSignalRemovesTheTemporaryFile();
};

void AtomicFileTest::faultsKeepTheOldFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("file-size limit reached") << "limit";
    QTest::newRow("folder not writable") << "read-only folder";
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a socket") << "socket";
    QTest::newRow("a loop of links") << "loop";
}

void AtomicFileTest::faultsKeepTheOldFile() {
    QFETCH(QString, fault);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("表达式记录.txt"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
    }

    std::optional<QString> failure;
    if (fault == QLatin1String("limit")) {
        const filefaults::FileSizeLimit limit(1024);
        failure = replaceFileContents(path, kNew);
    } else if (fault == QLatin1String("read-only folder")) {
        if (::geteuid() == 0) QSKIP("root writes into any folder; the read-only case needs an ordinary user");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        failure = replaceFileContents(path, kNew);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    } else if (fault == QLatin1String("fifo")) {
        path = dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        failure = replaceFileContents(path, kNew);
        struct stat after {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &after) == 0 && S_ISFIFO(after.st_mode));
    } else if (fault == QLatin1String("folder")) {
        path = dir.path();
        failure = replaceFileContents(path, kNew);
        QVERIFY(QFileInfo(path).isDir());
    } else if (fault == QLatin1String("loop")) {
        path = dir.filePath(QStringLiteral("a.png"));
        QVERIFY(QFile::link(QStringLiteral("b.png"), path));
        QVERIFY(QFile::link(QStringLiteral("a.png"), dir.filePath(QStringLiteral("b.png"))));
        failure = replaceFileContents(path, kNew);
        QCOMPARE(QFileInfo(path).symLinkTarget(), dir.filePath(QStringLiteral("b.png")));
    } else {
        // A socket stands for every special file (devices such as /dev/full
        // among them) without putting a real device at risk.
        path = dir.filePath(QStringLiteral("socket"));
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(), std::min(sizeof address.sun_path - 1, size_t(name.size())));
        QCOMPARE(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        failure = replaceFileContents(path, kNew);
        struct stat after {};
        QVERIFY(::stat(name.constData(), &after) == 0 && S_ISSOCK(after.st_mode));
        ::close(listener);
    }

    QVERIFY2(failure.has_value(), qPrintable(fault));
    QVERIFY(!failure->isEmpty());
    if (QFileInfo(path).isFile()) QCOMPARE(contents(QFile::encodeName(path)), kOld);
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
             fault == QLatin1String("loop")                                       ? 3
             : fault == QLatin1String("fifo") || fault == QLatin1String("socket") ? 2
                                                                                  : 1);
}

// Each row: the name given, the links to make first ("name>text"), and the
// file that must end up with the new bytes, keeping its permissions, while
// every link stays as it was.
void AtomicFileTest::replacingReachesTheFinalFile_data() {
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<QByteArrayList>("links");
    QTest::addColumn<QByteArray>("final");
    QTest::newRow("a link") << QByteArray("link.txt") << QByteArrayList{"link.txt>target.txt"}
                            << QByteArray("target.txt");
    QTest::newRow("a chain of links") << QByteArray("top.png")
                                      << QByteArrayList{"top.png>mid.png", "mid.png>pics/real.png"}
                                      << QByteArray("pics/real.png");
    QTest::newRow("a chain through folders")
        << QByteArray("top.png") << QByteArrayList{"top.png>pics/mid.png", "pics/mid.png>../real.png"}
        << QByteArray("real.png");
    // A name may take 255 bytes; the temporary name must still fit.
    QTest::newRow("a 255-byte name") << QByteArray(251, 'a') + ".png" << QByteArrayList{}
                                     << QByteArray(251, 'a') + ".png";
    // Bytes that are not UTF-8 name that very file, not another.
    QTest::newRow("a name not UTF-8") << QByteArray("raw\xff.png") << QByteArrayList{} << QByteArray("raw\xff.png");
    QTest::newRow("a GBK name") << QByteArray("\xcd\xbc\xcf\xf1.png") << QByteArrayList{}
                                << QByteArray("\xcd\xbc\xcf\xf1.png");
}

void AtomicFileTest::replacingReachesTheFinalFile() {
    QFETCH(QByteArray, given);
    QFETCH(QByteArrayList, links);
    QFETCH(QByteArray, final);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    QCOMPARE(::mkdir(folder + "pics", 0755), 0);
    const QByteArray target = folder + final;
    {
        const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL, 0640);
        QVERIFY(fd >= 0 && ::write(fd, kOld.constData(), size_t(kOld.size())) == kOld.size());
        ::close(fd);
    }
    for (const QByteArray& link : links) {
        const QByteArrayList nameAndText = link.split('>');
        QCOMPARE(::symlink(nameAndText[1].constData(), (folder + nameAndText[0]).constData()), 0);
    }

    const std::optional<QString> failure = replaceFileContents(fileNameFromBytes(folder + given), kNew);
    QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
    QCOMPARE(contents(target), kNew);
    struct stat after {};
    QVERIFY(::stat(target.constData(), &after) == 0);
    QCOMPARE(after.st_mode & 0777, mode_t{0640});
    for (const QByteArray& link : links) {
        const QByteArrayList nameAndText = link.split('>');
        char text[256] = {};
        QCOMPARE(::readlink((folder + nameAndText[0]).constData(), text, sizeof text - 1), nameAndText[1].size());
        QCOMPARE(QByteArray(text), nameAndText[1]);
    }
    // Nothing else was made: no file under a changed name, no temporary file.
    const auto entries = [](const QByteArray& path) {
        int count = 0;
        DIR* listing = ::opendir(path.constData());
        while (const dirent* entry = listing ? ::readdir(listing) : nullptr)
            count += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
        if (listing) ::closedir(listing);
        return count;
    };
    QCOMPARE(entries(folder) + entries(folder + "pics"), links.size() + 2);
}

// A program ended by SIGTERM while it writes a large file leaves neither a
// temporary file nor a spoilt old one. The signal goes as soon as the
// temporary file shows in the folder; a writer that finished before it came
// is tried again.
void AtomicFileTest::anEndingSignalRemovesTheTemporaryFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plot.bmp"));
    const QByteArray large(64 << 20, 'n');
    const auto names = [&dir] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); };
    for (int attempt = 0; attempt < 5; ++attempt) {
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
        }
        const pid_t writer = ::fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            std::signal(SIGTERM, SIG_DFL);
            ::_exit(replaceFileContents(path, large) ? 1 : 0);
        }
        int status = 0;
        while (::waitpid(writer, &status, WNOHANG) == 0) {
            if (names().size() < 2) continue;
            ::kill(writer, SIGTERM);
            QCOMPARE(::waitpid(writer, &status, 0), writer);
            break;
        }
        if (WIFEXITED(status)) {
            QCOMPARE(WEXITSTATUS(status), 0);
            continue;
        }
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        QCOMPARE(names(), QStringList{QStringLiteral("plot.bmp")});
        QCOMPARE(contents(QFile::encodeName(path)), kOld);
        return;
    }
    QFAIL("every write finished before the signal came");
}

QTEST_GUILESS_MAIN(AtomicFileTest)
#include "atomic_file_test.moc"
