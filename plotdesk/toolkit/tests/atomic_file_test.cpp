// Replacing a file's contents under injected faults: the old file must stay
// whole whenever the new one cannot be written completely, and paths that
// are not regular files are never replaced.

#include "toolkit/atomic_file.h"
#include "toolkit/tests/file_faults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <algorithm>
#include <cstring>

using plotdesk::toolkit::replaceFileContents;

namespace {

const QByteArray kOld = QByteArrayLiteral("old contents\r\n");
const QByteArray kNew(64 * 1024, 'n');

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class AtomicFileTest : public QObject {
    Q_OBJECT
private slots:
    void faultsKeepTheOldFile_data();
    void faultsKeepTheOldFile();
    void replacingKeepsPermissionsAndLinks();
};

void AtomicFileTest::faultsKeepTheOldFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("file-size limit reached") << "limit";
    QTest::newRow("folder not writable") << "read-only folder";
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a socket") << "socket";
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
    if (QFileInfo(path).isFile()) QCOMPARE(contents(path), kOld);
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
             fault == QLatin1String("fifo") || fault == QLatin1String("socket") ? 2 : 1);
}

void AtomicFileTest::replacingKeepsPermissionsAndLinks() {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
    }
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    QVERIFY(QFile::link(target, link));

    QVERIFY(!replaceFileContents(link, kNew));
    QCOMPARE(contents(target), kNew);
    QVERIFY(QFileInfo(link).isSymLink());
    struct stat after {};
    QVERIFY(::stat(QFile::encodeName(target).constData(), &after) == 0);
    QCOMPARE(after.st_mode & 0777, mode_t{0640});
}

QTEST_GUILESS_MAIN(AtomicFileTest)
#include "atomic_file_test.moc"
