// Making picture files in memory: an SVG stays well-formed XML whatever its
// texts hold.

#include "toolkit/picture_writing.h"

#include <QPainter>
#include <QXmlStreamReader>
#include <QtTest>

using plotdesk::toolkit::pictureBytes;
using plotdesk::toolkit::PictureFormat;

class PictureWritingTest : public QObject {
    Q_OBJECT
private slots:
    void svgIsWellFormedWhateverTheTexts();
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

QTEST_MAIN(PictureWritingTest)
#include "picture_writing_test.moc"
