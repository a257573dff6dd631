// Reading a background picture from whatever the setting names: only a
// regular file of bounded size gives a picture, and nothing ever blocks.

#include "toolkit/picture_reading.h"
#include "toolkit/picture_area.h"
#include "toolkit/tests/file_faults.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using namespace plotdesk::toolkit;

class PictureReadingTest : public QObject {
    Q_OBJECT

private slots:
    void onlyABoundedRegularFileGivesAPicture_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("picture");
        QTest::newRow("a PNG file") << "png" << true;
        QTest::newRow("a FIFO") << "fifo" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("a file over the size limit") << "huge" << false;
        QTest::newRow("a missing file") << "missing" << false;
        QTest::newRow("a file that holds no picture") << "text" << false;
    }
    void onlyABoundedRegularFileGivesAPicture() {
        QFETCH(QString, kind);
        QFETCH(bool, picture);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background"));
        if (kind == QLatin1String("png")) {
            QImage image(3, 2, QImage::Format_RGB32);
            image.fill(Qt::green);
            QVERIFY(image.save(path, "PNG"));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("background")));
        } else if (kind == QLatin1String("huge")) {
            // A PNG followed by nothing but zeros, one byte past the limit
            // (a sparse file: it takes no room on the disk).
            QImage image(3, 2, QImage::Format_RGB32);
            image.fill(Qt::green);
            QVERIFY(image.save(path, "PNG"));
            QCOMPARE(::truncate(QFile::encodeName(path).constData(), kPictureFileLimit + 1), 0);
        } else if (kind == QLatin1String("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a picture");
        }
        // One note for each of the two reads below.
        for (int note = 0; note < (picture ? 0 : 2); ++note)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("背景图片")));
        std::optional<filefaults::HangGuard> guard(std::in_place, 10);
        const QImage read = readPictureFile(path);
        PictureArea area;
        const bool loaded = area.loadPicture(path);
        guard.reset();
        QCOMPARE(!read.isNull(), picture);
        QCOMPARE(loaded, picture);
        if (picture) QCOMPARE(read.pixelColor(2, 1), QColor(Qt::green));
    }
};

QTEST_MAIN(PictureReadingTest)
#include "picture_reading_test.moc"
