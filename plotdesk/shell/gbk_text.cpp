#include "shell/gbk_text.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace plotdesk {
namespace {

constexpr char kCodePage[] = "GB18030";

// Owns one iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; an input sequence the conversion refuses is
    // replaced by `replacement` (already in the target encoding) and skipped
    // one byte at a time.
    std::string run(const QByteArray& in, const std::string& replacement) {
        std::string out;
        if (!valid()) return out;
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = static_cast<size_t>(in.size());
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, sizeof buffer - dstLeft);
            if (rc != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (a sequence cut short at the end): replace one byte.
            out += replacement;
            ++src;
            --srcLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);  // flush any shift state
        out.append(buffer, sizeof buffer - dstLeft);
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<QByteArray> toHistoryCodePage(const QString& text) {
    Converter converter(kCodePage, "UTF-8");
    if (!converter.valid()) return std::nullopt;
    // Every Unicode scalar value has a GB18030 code; only lone surrogates,
    // which QString::toUtf8 already turns into '?', could fail.
    const std::string out = converter.run(text.toUtf8(), "?");
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

std::optional<QString> fromHistoryCodePage(const QByteArray& bytes) {
    Converter converter("UTF-8", kCodePage);
    if (!converter.valid()) return std::nullopt;
    const std::string out = converter.run(bytes, "\xEF\xBF\xBD");
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

}  // namespace plotdesk
