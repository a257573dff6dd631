// Making picture files in memory: an SVG stays well-formed XML whatever its
// texts hold, and running out of memory while writing an image's bytes is an
// answer, not an abort.

#include "toolkit/picture_writing.h"

#include <QPainter>
#include <QXmlStreamReader>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

using plotdesk::toolkit::pictureBytes;
using plotdesk::toolkit::PictureFormat;

namespace {

// While alive, the process may map only `more` bytes beyond what it has now,
// as `ulimit -v` limits a program.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t more) {
        ::getrlimit(RLIMIT_AS, &saved_);
        QFile statm(QStringLiteral("/proc/self/statm"));
        const rlim_t pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(0).toULongLong() : 0;
        rlimit limited = saved_;
        limited.rlim_cur = pages * rlim_t(::sysconf(_SC_PAGESIZE)) + more;
        ::setrlimit(RLIMIT_AS, &limited);
    }
    ~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &saved_); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit saved_{};
};

}  // namespace

class PictureWritingTest : public QObject {
    Q_OBJECT
private slots:
    void svgIsWellFormedWhateverTheTexts();
    void runningOutOfMemoryIsAnAnswer();
};

// Every character XML 1.0 forbids, and a lone surrogate, in a label between
// letters that must all stay.
void PictureWritingTest::svgIsWellFormedWhateverTheTexts() {
    QString label = QStringLiteral("a");
    for (char16_t forbidden = 1; forbidden < 0x20; ++forbidden)
        if (forbidden != u'\t' && forbidden != u'\n' && forbidden != u'\r') label += QChar(forbidden);
    label += QStringLiteral("b") + QChar(0xFFFE) + QChar(0xFFFF) + QChar(0xDCFF) + QStringLiteral("c");

    const std::optional<QByteArray> svg =
        pictureBytes(PictureFormat::Svg, QSize(200, 100),
                     [&label](QPainter& painter, const QSizeF&) { painter.drawText(QPointF(10, 50), label); });
    QVERIFY(svg);

    QXmlStreamReader reader(*svg);
    QString texts;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::Characters) texts += reader.text();
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QVERIFY2(texts.contains(QRegularExpression(QStringLiteral("ab.*c"))), qPrintable(texts));
}

// Room for a 256 MB image but not for its BMP bytes besides: the writer runs
// out of memory, which must come back as no picture, as for the image.
void PictureWritingTest::runningOutOfMemoryIsAnAnswer() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer maps far more memory than any limit this test sets");
#endif
    std::optional<QByteArray> bytes;
    {
        const AddressSpaceLimit limit(rlim_t(320) << 20);
        bytes = pictureBytes(PictureFormat::Bmp, QSize(8192, 8192),
                             [](QPainter& painter, const QSizeF&) { painter.drawLine(0, 0, 10, 10); });
    }
    QVERIFY(!bytes);
}

QTEST_MAIN(PictureWritingTest)
#include "picture_writing_test.moc"
