#include "board/board_document.h"

#include "plotting/plot_rules.h"
#include "settings/setting_keys.h"
#include "toolkit/atomic_file.h"
#include "toolkit/picture_area.h"
#include "toolkit/regular_file.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <array>
#include <cmath>
#include <limits>

namespace plotdesk {
namespace {

// The names of the view kinds and curve kinds as the document spells them.
struct ViewKindName {
    BoardViewKind kind;
    const char* name;
};
constexpr std::array<ViewKindName, 3> kViewKinds{{
    {BoardViewKind::Classic, "classic"},
    {BoardViewKind::Zoomed, "zoomed"},
    {BoardViewKind::Fitted, "fitted"},
}};
constexpr char kFunctionKind[] = "function";
constexpr char kParametricKind[] = "parametric";

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The largest colour word: blue, green and red at full, the top byte zero.
constexpr int64_t kLargestColourWord = 0xFFFFFF;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// ---- Writing ----

QJsonObject layoutObject(const BoardLayout& layout) {
    QJsonObject object;
    for (const SettingKey& setting : settingKeys())
        if (setting.field) object[text(setting.name)] = layout.record.*setting.field;
    object[QStringLiteral("grid")] = layout.gridLines;
    object[QStringLiteral("smooth")] = layout.smoothLines;
    object[QStringLiteral("backpicture")] = layout.backgroundPicture;
    object[QStringLiteral("xiankuan1")] = layout.axesPenWidth;
    return object;
}

const char* viewKindName(BoardViewKind kind) {
    for (const ViewKindName& entry : kViewKinds)
        if (entry.kind == kind) return entry.name;
    return kViewKinds.front().name;
}

QJsonObject viewObject(const BoardView& view) {
    QJsonObject object{{QStringLiteral("kind"), text(viewKindName(view.kind))}};
    // The classic view is laid out from the layout alone.
    if (view.kind == BoardViewKind::Classic) return object;
    object[QStringLiteral("scale")] = QJsonObject{{QStringLiteral("left"), view.scale.left},
                                                  {QStringLiteral("top"), view.scale.top},
                                                  {QStringLiteral("width"), view.scale.width},
                                                  {QStringLiteral("height"), view.scale.height}};
    object[QStringLiteral("picture")] = QJsonObject{{QStringLiteral("width"), view.pictureSize.width()},
                                                    {QStringLiteral("height"), view.pictureSize.height()}};
    return object;
}

QJsonObject curveObject(const BoardCurve& curve) {
    const CurveRequest& request = curve.request;
    QJsonObject object;
    if (request.parametric) {
        object[QStringLiteral("kind")] = text(kParametricKind);
        object[QStringLiteral("x")] = request.xOfT;
        object[QStringLiteral("y")] = request.yOfT;
    } else {
        object[QStringLiteral("kind")] = text(kFunctionKind);
        object[QStringLiteral("function")] = request.function;
    }
    object[QStringLiteral("start")] = request.range.start;
    object[QStringLiteral("end")] = request.range.end;
    object[QStringLiteral("step")] = request.range.step;
    object[QStringLiteral("colour")] = request.colour;
    object[QStringLiteral("pen")] = request.penWidth;
    object[QStringLiteral("visible")] = curve.visible;
    return object;
}

// ---- Reading ----

// What is wrong with a document; thrown while its fields are read and
// caught where the reading began.
struct DocumentFault {
    QString problem;
};

[[noreturn]] void fault(const QString& problem) { throw DocumentFault{problem}; }

// Where byte `offset` lies: its line and its column in characters, both
// counted from 1.
QString lineAndColumn(const QByteArray& bytes, qsizetype offset) {
    offset = std::clamp<qsizetype>(offset, 0, bytes.size());
    const QByteArrayView before(bytes.constData(), offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = QString::fromUtf8(before.sliced(lineStart)).size() + 1;
    return QStringLiteral("第 %1 行第 %2 列").arg(line).arg(column);
}

// The offset of the first byte that is not part of a well-formed UTF-8
// sequence (no overlong forms, no surrogates, nothing beyond U+10FFFF), or
// -1 when all are. `cutShort` tells a sequence the end of the bytes breaks
// off.
qsizetype firstInvalidUtf8(const QByteArray& bytes, bool& cutShort) {
    cutShort = false;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
            if (lead == 0xED) high = 0x9F;  // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;   // overlong below U+10000
            if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
        } else {
            return i;
        }
        if (i + length > size) {
            cutShort = true;
            for (qsizetype k = i + 1; k < size; ++k) cutShort = cutShort && data[k] >= 0x80 && data[k] <= 0xBF;
            return i;
        }
        if (data[i + 1] < low || data[i + 1] > high) return i;
        for (int k = 2; k < length; ++k)
            if (data[i + k] < 0x80 || data[i + k] > 0xBF) return i;
        i += length;
    }
    return -1;
}

// The parser's faults in the user's words.
QString syntaxProblem(QJsonParseError::ParseError error) {
    switch (error) {
        case QJsonParseError::UnterminatedObject: return QStringLiteral("缺少逗号或 }");
        case QJsonParseError::MissingNameSeparator: return QStringLiteral("字段名后缺少冒号");
        case QJsonParseError::UnterminatedArray: return QStringLiteral("缺少逗号或 ]");
        case QJsonParseError::MissingValueSeparator: return QStringLiteral("缺少逗号");
        case QJsonParseError::IllegalValue: return QStringLiteral("无法识别的值");
        case QJsonParseError::TerminationByNumber: return QStringLiteral("数字之后文件就结束了");
        case QJsonParseError::IllegalNumber: return QStringLiteral("数字写法有误或超出范围");
        case QJsonParseError::IllegalEscapeSequence: return QStringLiteral("无效的转义序列");
        case QJsonParseError::IllegalUTF8String: return QStringLiteral("文本中有无效的字符");
        case QJsonParseError::UnterminatedString: return QStringLiteral("文本没有以引号结束");
        case QJsonParseError::MissingObject: return QStringLiteral("缺少对象");
        case QJsonParseError::DeepNesting: return QStringLiteral("嵌套层次太深");
        case QJsonParseError::DocumentTooLarge: return QStringLiteral("内容太多");
        case QJsonParseError::GarbageAtEnd: return QStringLiteral("内容结束后还有多余的字符");
        case QJsonParseError::NoError: break;
    }
    return QStringLiteral("语法错误");
}

// The fields of one object of the document; `owner` says whose they are in
// messages ("", "layout 的", "第 3 条曲线的").
class Fields {
public:
    Fields(QJsonObject object, QString owner) : object_(std::move(object)), owner_(std::move(owner)) {}

    bool has(const char* name) const { return object_.contains(QLatin1String(name)); }
    QJsonObject object(const char* name) const {
        const QJsonValue value = required(name);
        if (!value.isObject()) wrong(name, QStringLiteral("应为对象 {…}"));
        return value.toObject();
    }
    QJsonArray array(const char* name) const {
        const QJsonValue value = required(name);
        if (!value.isArray()) wrong(name, QStringLiteral("应为数组 […]"));
        return value.toArray();
    }
    bool boolean(const char* name) const {
        const QJsonValue value = required(name);
        if (!value.isBool()) wrong(name, QStringLiteral("应为 true 或 false"));
        return value.toBool();
    }
    QString text(const char* name) const {
        const QJsonValue value = required(name);
        if (!value.isString()) wrong(name, QStringLiteral("应为带引号的文本"));
        const QString result = value.toString();
        if (result.size() > kLongestDocumentText)
            wrong(name, QStringLiteral("长于 %1 个字符").arg(kLongestDocumentText));
        return result;
    }
    double number(const char* name) const {
        const QJsonValue value = required(name);
        if (!value.isDouble() || !std::isfinite(value.toDouble())) wrong(name, QStringLiteral("应为数"));
        return value.toDouble();
    }
    int64_t integer(const char* name, int64_t least, int64_t most) const {
        const QJsonValue value = required(name);
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::trunc(number) || number < double(least) || number > double(most))
            wrong(name, QStringLiteral("应为 %1 到 %2 之间的整数").arg(least).arg(most));
        return static_cast<int64_t>(number);
    }
    // The text of `name`, which must be one of `names`.
    qsizetype choice(const char* name, std::initializer_list<const char*> names) const {
        const QString given = text(name);
        QStringList allowed;
        qsizetype index = 0;
        for (const char* option : names) {
            if (given == QLatin1String(option)) return index;
            allowed << QLatin1String(option);
            ++index;
        }
        wrong(name, QStringLiteral("应为 %1 之一").arg(allowed.join(QStringLiteral("、"))));
    }

    [[noreturn]] void wrong(const char* name, const QString& problem) const {
        fault(QStringLiteral("%1“%2”%3").arg(owner_, QLatin1String(name), problem));
    }

private:
    QJsonValue required(const char* name) const {
        const QJsonValue value = object_.value(QLatin1String(name));
        if (value.isUndefined()) fault(QStringLiteral("缺少%1“%2”").arg(owner_, QLatin1String(name)));
        return value;
    }

    QJsonObject object_;
    QString owner_;
};

int32_t int32Field(const Fields& fields, const char* name) {
    return static_cast<int32_t>(
        fields.integer(name, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

BoardLayout readLayout(const Fields& fields) {
    BoardLayout layout;
    for (const SettingKey& setting : settingKeys())
        if (setting.field) layout.record.*setting.field = int32Field(fields, setting.name);
    layout.gridLines = fields.boolean("grid");
    layout.smoothLines = fields.boolean("smooth");
    layout.backgroundPicture = fields.text("backpicture");
    // The axes' pen came later; a document without it draws them 1 pixel wide.
    if (fields.has("xiankuan1"))
        layout.axesPenWidth = static_cast<int>(
            fields.integer("xiankuan1", std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
    return layout;
}

BoardView readView(const Fields& fields) {
    BoardView view;
    view.kind = kViewKinds[fields.choice("kind", {kViewKinds[0].name, kViewKinds[1].name, kViewKinds[2].name})].kind;
    if (view.kind == BoardViewKind::Classic) return view;
    const Fields scale(fields.object("scale"), QStringLiteral("view 的 scale 的"));
    view.scale = {scale.number("left"), scale.number("top"), scale.number("width"), scale.number("height")};
    if (view.scale.width == 0) scale.wrong("width", QStringLiteral("不能为 0"));
    if (view.scale.height == 0) scale.wrong("height", QStringLiteral("不能为 0"));
    const Fields picture(fields.object("picture"), QStringLiteral("view 的 picture 的"));
    view.pictureSize = QSize(static_cast<int>(picture.integer("width", 1, toolkit::kLargestPictureSide)),
                             static_cast<int>(picture.integer("height", 1, toolkit::kLargestPictureSide)));
    return view;
}

BoardCurve readCurve(const Fields& fields) {
    BoardCurve curve;
    CurveRequest& request = curve.request;
    request.parametric = fields.choice("kind", {kFunctionKind, kParametricKind}) == 1;
    if (request.parametric) {
        request.xOfT = fields.text("x");
        request.yOfT = fields.text("y");
    } else {
        request.function = fields.text("function");
    }
    request.range = {fields.number("start"), fields.number("end"), fields.number("step")};
    if (request.range.step == 0) fields.wrong("step", QStringLiteral("不能为 0"));
    if (!(request.range.expectedSamples() <= kMaximumSamples))
        fields.wrong("step", QStringLiteral("太小：采样点超过 %1 个").arg(kMaximumSamples, 0, 'f', 0));
    request.colour = static_cast<int32_t>(fields.integer("colour", 0, kLargestColourWord));
    // Pen widths are whatever the settings hold (below 1 draws one pixel).
    request.penWidth = static_cast<int>(
        fields.integer("pen", std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
    curve.visible = fields.boolean("visible");
    return curve;
}

BoardState readState(const QJsonObject& document) {
    const Fields top(document, QString());
    if (document.value(QStringLiteral("format")) != QJsonValue(text(kDocumentFormat)))
        fault(QStringLiteral("不是 Curvolo 画板文件"));
    const int64_t version = top.integer("version", 1, std::numeric_limits<int32_t>::max());
    if (version > kDocumentVersion)
        fault(QStringLiteral("这是第 %1 版的画板文件，本程序只能打开第 %2 版的，请换用更新的程序")
                  .arg(version)
                  .arg(kDocumentVersion));

    const QJsonArray curves = top.array("curves");
    if (curves.size() > kMostDocumentCurves)
        fault(QStringLiteral("曲线多于 %1 条（有 %2 条）").arg(kMostDocumentCurves).arg(curves.size()));
    BoardState state;
    state.layout = readLayout(Fields(top.object("layout"), QStringLiteral("layout 的")));
    state.view = readView(Fields(top.object("view"), QStringLiteral("view 的")));
    state.curves.reserve(static_cast<size_t>(curves.size()));
    for (qsizetype i = 0; i < curves.size(); ++i) {
        const QString owner = QStringLiteral("第 %1 条曲线的").arg(i + 1);
        if (!curves[i].isObject()) fault(QStringLiteral("%1内容应为对象 {…}").arg(owner));
        state.curves.push_back(readCurve(Fields(curves[i].toObject(), owner)));
    }
    // A parametric curve moves the colour position one further than the
    // last entry, so one past it is a position the board can be in.
    state.colourIndex = static_cast<int16_t>(top.integer("colourIndex", 0, int64_t(kCurveColourEntries.size())));
    return state;
}

QString fileMessage(const char* action, const QString& path, const QString& problem) {
    return QStringLiteral("%1 %2：%3").arg(text(action), path, problem);
}

}  // namespace

bool namesDocument(const QString& path) {
    return path.endsWith(QLatin1Char('.') + text(kDocumentSuffix), Qt::CaseInsensitive);
}

QByteArray documentBytes(const BoardState& state) {
    QJsonArray curves;
    for (const BoardCurve& curve : state.curves) curves.append(curveObject(curve));
    const QJsonObject fields{
        {QStringLiteral("layout"), layoutObject(state.layout)},
        {QStringLiteral("view"), viewObject(state.view)},
        {QStringLiteral("curves"), curves},
        {QStringLiteral("colourIndex"), state.colourIndex},
    };
    // Qt writes an object's fields in the order of their names; the format
    // and version go first, so the file's opening lines say what it is.
    QByteArray bytes = QJsonDocument(fields).toJson(QJsonDocument::Indented);
    const QByteArray heading = QStringLiteral("    \"format\": \"%1\",\n    \"version\": %2,\n")
                                   .arg(text(kDocumentFormat))
                                   .arg(kDocumentVersion)
                                   .toUtf8();
    bytes.insert(bytes.indexOf('\n') + 1, heading);
    return bytes;
}

std::variant<BoardState, QString> parseDocument(const QByteArray& bytes) {
    QByteArray content = bytes;
    if (content.startsWith(kByteOrderMark)) content.remove(0, qsizetype(sizeof kByteOrderMark) - 1);
    const QByteArray trimmed = content.trimmed();
    if (trimmed.isEmpty()) return QStringLiteral("文件是空的");
    // Every document is one JSON object; a picture or any other file is not.
    if (!trimmed.startsWith('{')) return QStringLiteral("不是 Curvolo 画板文件");
    bool cutShort = false;
    if (const qsizetype bad = firstInvalidUtf8(content, cutShort); bad >= 0) {
        if (cutShort) return QStringLiteral("文件在%1意外结束，内容不完整").arg(lineAndColumn(content, bad));
        return QStringLiteral("%1有不是 UTF-8 编码的字节（文件第 %2 字节）")
            .arg(lineAndColumn(content, bad))
            .arg(bad + 1 + (bytes.size() - content.size()));
    }

    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError) {
        // A fault found where nothing but blanks follows: the file was cut short.
        qsizetype contentEnd = content.size();
        while (contentEnd > 0 && QChar::isSpace(uchar(content[contentEnd - 1]))) --contentEnd;
        if (error.offset >= contentEnd && error.error != QJsonParseError::GarbageAtEnd)
            return QStringLiteral("文件在%1意外结束，内容不完整").arg(lineAndColumn(content, error.offset));
        return QStringLiteral("%1附近：%2").arg(lineAndColumn(content, error.offset), syntaxProblem(error.error));
    }
    if (!json.isObject()) return QStringLiteral("不是 Curvolo 画板文件");
    try {
        return readState(json.object());
    } catch (const DocumentFault& wrong) {
        return wrong.problem;
    }
}

std::variant<BoardState, QString> readDocument(const QString& path) {
    const toolkit::RegularFileRead read = toolkit::readRegularFile(path, kLargestDocumentBytes);
    if (!read.bytes) return fileMessage("无法打开画板", path, read.problem);
    std::variant<BoardState, QString> parsed = parseDocument(*read.bytes);
    if (const QString* problem = std::get_if<QString>(&parsed)) return fileMessage("无法打开画板", path, *problem);
    return parsed;
}

std::optional<QString> writeDocument(const QString& path, const BoardState& state) {
    const bool existed = QFileInfo::exists(path);
    const std::optional<QString> problem = toolkit::replaceFileContents(path, documentBytes(state));
    if (!problem) return std::nullopt;
    return fileMessage("无法保存画板", path, existed ? *problem + QStringLiteral("；原有的文件保持不变") : *problem);
}

}  // namespace plotdesk
