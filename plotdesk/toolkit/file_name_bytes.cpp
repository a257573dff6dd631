#include "toolkit/file_name_bytes.h"

namespace plotdesk::toolkit {
namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at `at`, or 0 when the byte
// there starts none (overlong forms and encoded surrogates included).
qsizetype sequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto byteAt = [&bytes](qsizetype i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
    const unsigned char lead = byteAt(at);
    if (lead < 0x80) return 1;
    qsizetype length = 0;
    unsigned char low = 0x80;  // the second byte's range
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    const unsigned char second = byteAt(at + 1);
    if (second < low || second > high) return 0;
    for (qsizetype i = 2; i < length; ++i)
        if (!continuation(byteAt(at + i))) return 0;
    return length;
}

}  // namespace

QString fileNameFromBytes(const QByteArray& bytes) {
    QString name;
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (const qsizetype length = sequenceLength(bytes, at)) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + runStart, at - runStart);
        name += QChar(char16_t(0xDC00 | static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    return name + QString::fromUtf8(bytes.constData() + runStart, at - runStart);
}

QByteArray fileNameBytes(const QString& name) {
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (unit < kFirstKeptByte || unit > kLastKeptByte) continue;
        bytes += QStringView(name).sliced(runStart, i - runStart).toUtf8();
        bytes += static_cast<char>(unit & 0xFF);
        runStart = i + 1;
    }
    return bytes + QStringView(name).sliced(runStart).toUtf8();
}

QStringList argumentsFromBytes(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << fileNameFromBytes(QByteArray(argv[i]));
    return arguments;
}

}  // namespace plotdesk::toolkit
