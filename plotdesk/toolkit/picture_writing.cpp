#include "toolkit/picture_writing.h"

#include "toolkit/atomic_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <array>
#include <new>

namespace plotdesk::toolkit {
namespace {

struct Suffix {
    const char* text;
    PictureFormat format;
};
constexpr std::array<Suffix, 6> kSuffixes{{
    {"png", PictureFormat::Png},
    {"jpg", PictureFormat::Jpeg},
    {"jpeg", PictureFormat::Jpeg},
    {"bmp", PictureFormat::Bmp},
    {"svg", PictureFormat::Svg},
    {"pdf", PictureFormat::Pdf},
}};

// Plots are thin lines on a plain ground, which JPEG's default quality blurs.
constexpr int kJpegQuality = 90;
// SVG sizes are CSS pixels; a PDF page takes one point per pixel.
constexpr int kSvgDotsPerInch = 96;
constexpr int kPdfDotsPerInch = 72;

const char* imageFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Jpeg: return "jpeg";
        case PictureFormat::Bmp: return "bmp";
        default: return "png";
    }
}

bool drawOnto(QPaintDevice& device, QSize pixels, const DrawPicture& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    draw(painter, QSizeF(pixels));
    return painter.end();
}

std::optional<QByteArray> imageBytes(PictureFormat format, QSize pixels, const DrawPicture& draw) {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;
    image.fill(Qt::white);
    if (!drawOnto(image, pixels, draw)) return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, imageFormatName(format));
    if (format == PictureFormat::Jpeg) writer.setQuality(kJpegQuality);
    if (!writer.write(image)) return std::nullopt;
    return bytes;
}

// XML 1.0 allows no control character but tab and line ends, nor U+FFFE and
// U+FFFF, even escaped; the SVG generator writes texts as they are, so a
// label holding one would make the file unreadable. The generator writes
// UTF-8, where these characters are whole byte sequences of their own, so
// dropping those sequences leaves the rest of every text intact.
QByteArray withoutCharactersXmlForbids(const QByteArray& svg) {
    QByteArray allowed;
    allowed.reserve(svg.size());
    for (qsizetype i = 0; i < svg.size(); ++i) {
        const auto byte = static_cast<unsigned char>(svg[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') continue;
        if (byte == 0xEF && i + 2 < svg.size() && svg[i + 1] == '\xBF' &&
            (svg[i + 2] == '\xBE' || svg[i + 2] == '\xBF')) {
            i += 2;
            continue;
        }
        allowed += svg[i];
    }
    return allowed;
}

std::optional<QByteArray> svgBytes(QSize pixels, const DrawPicture& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(pixels);
    generator.setViewBox(QRect(QPoint(), pixels));
    generator.setResolution(kSvgDotsPerInch);
    generator.setTitle(QCoreApplication::applicationName());
    if (!drawOnto(generator, pixels, draw)) return std::nullopt;
    return withoutCharactersXmlForbids(bytes);
}

std::optional<QByteArray> pdfBytes(QSize pixels, const DrawPicture& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        // An exact page: a size near a standard one must not become it.
        if (!writer.setPageSize(QPageSize(QSizeF(pixels), QPageSize::Point, QString(), QPageSize::ExactMatch)))
            return std::nullopt;
        writer.setPageMargins(QMarginsF());
        writer.setCreator(QCoreApplication::applicationName());
        if (!drawOnto(writer, pixels, draw)) return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<PictureFormat> pictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const Suffix& known : kSuffixes)
        if (suffix == QLatin1String(known.text)) return known.format;
    return std::nullopt;
}

QString acceptedPictureSuffixes() {
    QStringList suffixes;
    for (const Suffix& known : kSuffixes) suffixes << QLatin1Char('.') + QLatin1String(known.text);
    const QString last = suffixes.takeLast();
    return suffixes.join(QStringLiteral("、")) + QStringLiteral(" 或 ") + last;
}

std::optional<QByteArray> pictureBytes(PictureFormat format, QSize pixels, const DrawPicture& draw) {
    // Memory can also run out after the image was made, while a format's
    // writer grows its bytes (a BMP holds every pixel); Qt then throws.
    try {
        switch (format) {
            case PictureFormat::Svg: return svgBytes(pixels, draw);
            case PictureFormat::Pdf: return pdfBytes(pixels, draw);
            default: return imageBytes(format, pixels, draw);
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<QString> writePictureFile(const QString& path, QSize pixels, const DrawPicture& draw) {
    auto cannotWrite = [&path](const QString& reason) {
        return QStringLiteral("无法写入文件 %1：%2").arg(path, reason);
    };
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format) return cannotWrite(QStringLiteral("文件名须以 %1 结尾").arg(acceptedPictureSuffixes()));
    const std::optional<QByteArray> bytes = pictureBytes(*format, pixels, draw);
    if (!bytes)
        return cannotWrite(
            QStringLiteral("内存不足，画不出 %1×%2 像素的图片").arg(pixels.width()).arg(pixels.height()));
    if (const std::optional<QString> reason = replaceFileContents(path, *bytes)) return cannotWrite(*reason);
    return std::nullopt;
}

}  // namespace plotdesk::toolkit
