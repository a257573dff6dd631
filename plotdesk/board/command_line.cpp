#include "board/command_line.h"

#include "board/board_document.h"
#include "board/board_texts.h"
#include "settings/number_text.h"
#include "toolkit/picture_writing.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>

namespace plotdesk {
namespace {

// An option of the command line as the help and the refusals show it.
struct OptionForm {
    const char* name;
    const char* value;  // the value's name in the help, nullptr for a switch
    const char* help;
    const char* example;  // a correct use, quoted by every refusal
};

// Value names stay in ASCII: the help's columns are aligned by characters,
// and a Chinese character takes two columns on a terminal.
const OptionForm kExport{"export", "FILE",
                         "不打开窗口，把画板画成图片写入 FILE（格式见下）；FILE 以 .curvolo 结尾时写成画板文件。",
                         "--export 图像.png"};
const OptionForm kFunction{"function", "EXPR", "画函数 y = EXPR，x 为自变量；可重复。", "--function \"sin(x/20)*300\""};
const OptionForm kParametric{"parametric", "X(t) Y(t)", "画参数方程，跟两个表达式；可重复。",
                             "--parametric \"cos(t/20)*500\" \"sin(t/20)*500\""};
const OptionForm kStart{"start", "A", "自变量起始值（默认取设置）。", "--start -100"};
const OptionForm kEnd{"end", "B", "自变量终止值（默认取设置）。", "--end 100"};
const OptionForm kStep{"step", "S", "步长，不为 0（默认取设置）。", "--step 2"};
const OptionForm kSize{"size", "WxH", "图片宽 W、高 H 像素，坐标范围不变。", "--size 800x600"};
const OptionForm kKeyPoints{"key-points", nullptr,
                            "不画图，列出各 --function 曲线在取值范围内的零点、极值、纵截距和两两交点，每行一个。",
                            "--key-points --function \"sin(x/20)*300\""};
const OptionForm kTable{"table", nullptr, "不画图，列出数值表：x 从起始值按步长走到终止值，每条曲线一列。",
                        "--table --function \"x^2/20\" --start -10 --end 10 --step 1"};
const OptionForm kFit{"fit", nullptr, "按所画曲线适配视图：取值范围占满图片宽度，坐标单位尽量相同。", "--fit"};

// The options that take one value each and may be given once.
const OptionForm* const kSingleValued[] = {&kExport, &kStart, &kEnd, &kStep, &kSize};

// Printed after the options.
const char kMoreHelp[] =
    "\n"
    "曲线按 --function、--parametric 出现的顺序依次画出，各用下一种颜色。\n"
    "不给 --size 时，图片取设置中的画板大小。\n"
    "\n"
    "图片格式（由 FILE 的后缀决定）：\n"
    "  .png .jpg .jpeg .bmp  位图，W×H 像素\n"
    "  .svg                  矢量图，W×H 个 CSS 像素\n"
    "  .pdf                  一页 PDF，页面 W×H 磅\n"
    "  .curvolo              画板文件：画板的布局、视图和各条曲线，可用 plotdesk 打开\n"
    "\n"
    "给出画板文件 DRAWING 时，打开窗口显示它；与 --export 一起时，从它画起，\n"
    "--function 和 --parametric 的曲线接着画在后面。\n"
    "\n"
    "退出状态：\n"
    "  0  成功\n"
    "  1  图片无法写入；或没有图形显示，无法打开窗口\n"
    "  2  命令行有误，什么也没有写\n"
    "  3  图片已写好，但有曲线一个点也没有画出\n"
    "\n"
    "--key-points 每行：种类（零点、极大值、极小值、交点、纵截距）、曲线序号（交点为两条曲线，如 1,2）、\n"
    "x、y（计算器给出的值）；x 有简单的精确值时再加一列，如 π/4。按种类、再按 x 排列。\n"
    "--table 先印表头，再每行印 x 和各曲线的 y，以制表符分隔。有曲线一个点也没有时退出状态为 3。\n";

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QString longName(const OptionForm& option) { return QStringLiteral("--") + text(option.name); }

QString usage(const OptionForm& option) {
    return option.value ? QStringLiteral("%1 <%2>").arg(longName(option), text(option.value)) : longName(option);
}

// "--step：步长不能为 0。应写作 --step <S>，例如 --step 2"
CommandLineError refusal(const OptionForm& option, const QString& problem) {
    const QString form = usage(option);
    const QString example = text(option.example);
    if (form == example) return {QStringLiteral("%1：%2。应写作 %3").arg(longName(option), problem, form)};
    return {QStringLiteral("%1：%2。应写作 %3，例如 %4").arg(longName(option), problem, form, example)};
}

QString allOptionNames() {
    QStringList names;
    for (const OptionForm* option :
         {&kExport, &kKeyPoints, &kTable, &kFunction, &kParametric, &kStart, &kEnd, &kStep, &kSize, &kFit})
        names << longName(*option);
    return names.join(QStringLiteral("、")) + QStringLiteral("、--help 和 --version");
}

QCommandLineOption parserOption(const OptionForm& option) {
    return option.value ? QCommandLineOption(text(option.name), text(option.help), text(option.value))
                        : QCommandLineOption(text(option.name), text(option.help));
}

// Takes --function and --parametric out of the arguments, as they come, into
// `curves`: QCommandLineParser neither keeps the order between two options
// nor reads an option with two values. "--parametric=" cannot carry both
// expressions, so it is refused rather than left to the parser, which would
// take it and plot nothing for it.
std::optional<CommandLineError> takeCurves(QStringList& arguments, std::vector<ExportCurve>& curves) {
    const QString function = longName(kFunction);
    const QString parametric = longName(kParametric);
    const QString functionEquals = function + QLatin1Char('=');
    const QString parametricEquals = parametric + QLatin1Char('=');
    const QString missingExpression = QStringLiteral("缺少表达式");
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == function) {
            if (i + 1 >= arguments.size()) return refusal(kFunction, missingExpression);
            curves.push_back({false, arguments[++i], {}, {}});
        } else if (argument.startsWith(functionEquals)) {
            curves.push_back({false, argument.mid(functionEquals.size()), {}, {}});
        } else if (argument.startsWith(parametricEquals)) {
            return refusal(kParametric, QStringLiteral("需要两个表达式，“=”后只能写一个"));
        } else if (argument == parametric) {
            if (i + 2 >= arguments.size()) return refusal(kParametric, QStringLiteral("需要两个表达式 X(t) 和 Y(t)"));
            curves.push_back({true, {}, arguments[i + 1], arguments[i + 2]});
            i += 2;
        } else {
            rest.append(argument);
        }
    }
    arguments = rest;
    return std::nullopt;
}

// An option that takes a value, given last with nothing after it. The
// parser's own message for it names the option but not its form.
std::optional<CommandLineError> missingValue(const QStringList& arguments) {
    if (arguments.size() < 2) return std::nullopt;
    for (const OptionForm* option : kSingleValued)
        if (arguments.last() == longName(*option)) return refusal(*option, QStringLiteral("缺少取值"));
    return std::nullopt;
}

std::optional<CommandLineError> numberRefusal(const OptionForm& option, const std::optional<QString>& value) {
    if (!value) return std::nullopt;
    const std::optional<double> number = toDouble(*value);
    if (!number) return refusal(option, QStringLiteral("“%1”不是数").arg(*value));
    if (&option == &kStep && *number == 0) return refusal(option, QStringLiteral("步长不能为 0"));
    return std::nullopt;
}

// "800x600" (also with X or ×): both sides whole numbers of pixels, at
// least 1. Whether a picture that large fits in memory is the export's
// question.
std::variant<QSize, CommandLineError> readSize(const QString& value) {
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,9})\\s*[xX×]\\s*(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch()) return refusal(kSize, QStringLiteral("“%1”不是 WxH 形式的像素数").arg(value));
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1)
        return refusal(kSize, QStringLiteral("“%1”：宽和高都至少是 1 像素").arg(value));
    return size;
}

// --key-points or --table (`asked`) with the function curves and the range.
CommandLineRequest readingRequest(const QCommandLineParser& parser, const OptionForm& asked,
                                  const std::vector<ExportCurve>& curves) {
    for (const OptionForm* other : {&kKeyPoints, &kTable, &kExport, &kSize, &kFit})
        if (other != &asked && parser.isSet(text(other->name)))
            return refusal(asked, QStringLiteral("不能与 %1 同时给出").arg(longName(*other)));
    ReadingRequest request;
    request.kind = &asked == &kKeyPoints ? ReadingRequest::Kind::KeyPoints : ReadingRequest::Kind::Table;
    for (const ExportCurve& curve : curves) {
        if (curve.parametric) return refusal(asked, QStringLiteral("只用于函数曲线 --function，不用于 --parametric"));
        request.functions.push_back(curve.function);
    }
    if (request.functions.empty()) return refusal(asked, QStringLiteral("至少要给出一条 --function 曲线"));
    for (const auto& [option, value] :
         {std::pair{&kStart, &request.start}, std::pair{&kEnd, &request.end}, std::pair{&kStep, &request.step}}) {
        if (!parser.isSet(text(option->name))) continue;
        *value = parser.value(text(option->name));
        if (std::optional<CommandLineError> error = numberRefusal(*option, *value)) return *error;
    }
    return request;
}

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    if (!text.endsWith(QLatin1Char('\n'))) std::fputc('\n', stream);
    std::fflush(stream);
}

bool namesWindowPlatform(const QByteArray& platform) {
    return platform.startsWith("xcb") || platform.startsWith("wayland");
}

// X11 first, Qt's offscreen platform when X11 cannot connect.
constexpr char kX11ThenOffscreen[] = "xcb;offscreen";
// Set while the application object tries X11: the handler to put back and
// the platform variable as the user left it.
QtMessageHandler handlerBeforeTrying = nullptr;
QByteArray platformBeforeTrying;

// Qt's own warnings of a failed X11 connection ("could not connect to
// display", "could not load the Qt platform plugin") are held back: a
// display that cannot be reached gets the program's one line instead.
void withoutPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0) return;
    handlerBeforeTrying(type, context, message);
}

}  // namespace

bool prepareDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11 && !wayland && (platform.isEmpty() || platform == "xcb")) {
        // A DISPLAY that names no running X server (a stale one in an ssh
        // session, a stopped Xvfb) would make Qt abort, even for --export.
        platformBeforeTrying = platform;
        qputenv("QT_QPA_PLATFORM", kX11ThenOffscreen);
        handlerBeforeTrying = qInstallMessageHandler(withoutPlatformWarnings);
        return true;
    }
    if (x11 || wayland) return true;
    if (!platform.isEmpty() && !namesWindowPlatform(platform)) return true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return false;
}

bool displayReached(bool prepared) {
    if (!handlerBeforeTrying) return prepared;
    qInstallMessageHandler(handlerBeforeTrying);
    handlerBeforeTrying = nullptr;
    platformBeforeTrying.isEmpty() ? void(qunsetenv("QT_QPA_PLATFORM"))
                                   : void(qputenv("QT_QPA_PLATFORM", platformBeforeTrying));
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

CommandLineRequest parseCommandLine(const QStringList& arguments) {
    QStringList remaining = arguments;
    std::vector<ExportCurve> curves;
    if (std::optional<CommandLineError> error = takeCurves(remaining, curves)) return *error;
    if (std::optional<CommandLineError> error = missingValue(remaining)) return *error;
    for (const QString& argument : remaining)
        for (const OptionForm* option : {&kFit, &kKeyPoints, &kTable})
            if (argument.startsWith(longName(*option) + QLatin1Char('=')))
                return refusal(*option, QStringLiteral("不带取值"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Curvolo 函数图像绘制程序。不带参数时打开窗口。"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportTo = parserOption(kExport);
    const QCommandLineOption first = parserOption(kStart);
    const QCommandLineOption last = parserOption(kEnd);
    const QCommandLineOption step = parserOption(kStep);
    const QCommandLineOption size = parserOption(kSize);
    const QCommandLineOption fit = parserOption(kFit);
    // The curve options are read beforehand; they are here for the help.
    const QCommandLineOption keyPoints = parserOption(kKeyPoints);
    const QCommandLineOption table = parserOption(kTable);
    parser.addOptions(
        {exportTo, keyPoints, table, parserOption(kFunction), parserOption(kParametric), first, last, step, size, fit});
    parser.addPositionalArgument(QStringLiteral("DRAWING"), QStringLiteral("画板文件（.curvolo），见下。"),
                                 QStringLiteral("[DRAWING]"));

    if (!parser.parse(remaining)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString given = parser.unknownOptionNames().first();
            return CommandLineError{
                QStringLiteral("未知选项 %1%2。可用的选项有 %3")
                    .arg(given.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), given, allOptionNames())};
        }
        return CommandLineError{parser.errorText() + QStringLiteral(" 可用的选项有 ") + allOptionNames()};
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return ShowHelp{parser.helpText() + text(kMoreHelp)};
    if (parser.isSet(version)) return ShowVersion{text(boardtext::kTitle)};
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return CommandLineError{
            QStringLiteral(
                "无法识别的参数 %1：只能给出一个画板文件（已有 %2）。选项以 -- 开头，例如 %3；可用的选项有 %4")
                .arg(positional[1], positional[0], text(kExport.example), allOptionNames())};
    const QString drawing = positional.value(0);

    for (const OptionForm* option : kSingleValued) {
        const QStringList values = parser.values(text(option->name));
        if (values.size() > 1) return refusal(*option, QStringLiteral("只能给一次（又给了“%1”）").arg(values[1]));
    }

    if (parser.isSet(keyPoints) || parser.isSet(table)) {
        const OptionForm& asked = parser.isSet(keyPoints) ? kKeyPoints : kTable;
        if (!drawing.isEmpty()) return refusal(asked, QStringLiteral("不读画板文件（给了 %1）").arg(drawing));
        return readingRequest(parser, asked, curves);
    }

    if (!parser.isSet(exportTo)) {
        QStringList given;
        if (!curves.empty()) given << longName(kFunction) + QStringLiteral(" 或 ") + longName(kParametric);
        for (const OptionForm* option : {&kStart, &kEnd, &kStep, &kSize, &kFit})
            if (parser.isSet(text(option->name))) given << longName(*option);
        if (given.isEmpty()) return StartWindows{drawing};
        return refusal(
            kExport,
            QStringLiteral("%1 只在把图画进文件时有用，需要同时给出 --export").arg(given.join(QStringLiteral("、"))));
    }

    ExportRequest request;
    request.file = parser.value(exportTo);
    if (request.file.isEmpty()) return refusal(kExport, QStringLiteral("缺少文件名"));
    if (!toolkit::pictureFormatOf(request.file) && !namesDocument(request.file))
        return refusal(kExport, QStringLiteral("“%1”的后缀不是 %2，也不是画板文件的 .%3")
                                    .arg(request.file, toolkit::acceptedPictureSuffixes(), text(kDocumentSuffix)));
    if (!drawing.isEmpty()) request.drawing = drawing;
    request.curves = std::move(curves);
    auto optionalValue = [&parser](const QCommandLineOption& option) -> std::optional<QString> {
        if (!parser.isSet(option)) return std::nullopt;
        return parser.value(option);
    };
    request.start = optionalValue(first);
    request.end = optionalValue(last);
    request.step = optionalValue(step);
    for (const auto& [option, value] :
         {std::pair{&kStart, request.start}, std::pair{&kEnd, request.end}, std::pair{&kStep, request.step}})
        if (std::optional<CommandLineError> error = numberRefusal(*option, value)) return *error;
    if (parser.isSet(size)) {
        const auto reading = readSize(parser.value(size));
        if (const auto* error = std::get_if<CommandLineError>(&reading)) return *error;
        request.size = std::get<QSize>(reading);
    }
    request.fit = parser.isSet(fit);
    return request;
}

QString drawingToOpen(const QStringList& arguments) {
    const CommandLineRequest request = parseCommandLine(arguments);
    const auto* windows = std::get_if<StartWindows>(&request);
    return windows ? windows->drawing : QString();
}

std::optional<int> runCommandLine(const QStringList& arguments, bool hasDisplay) {
    const CommandLineRequest request = parseCommandLine(arguments);
    if (const auto* windows = std::get_if<StartWindows>(&request)) {
        // A drawing that cannot be opened is said at once, windows or not.
        if (!windows->drawing.isEmpty()) {
            const auto opened = readDocument(windows->drawing);
            if (const auto* problem = std::get_if<QString>(&opened)) {
                print(stderr, *problem);
                return kExitRefused;
            }
        }
        if (hasDisplay) return std::nullopt;
        const QString display = qEnvironmentVariable("DISPLAY");
        const QString missing = display.isEmpty()
                                    ? QStringLiteral("没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置）")
                                    : QStringLiteral("无法连接图形显示 %1").arg(display);
        print(stderr, QStringLiteral("%1，无法打开窗口；把图画进文件的 --export 不需要显示，例如 %2")
                          .arg(missing, text(kExport.example)));
        return kExitNotWritten;
    }
    if (const auto* help = std::get_if<ShowHelp>(&request)) {
        print(stdout, help->text);
        return kExitSuccess;
    }
    if (const auto* version = std::get_if<ShowVersion>(&request)) {
        print(stdout, version->text);
        return kExitSuccess;
    }
    if (const auto* error = std::get_if<CommandLineError>(&request)) {
        print(stderr, error->message);
        return kExitRefused;
    }
    if (const auto* reading = std::get_if<ReadingRequest>(&request)) return runReading(*reading);
    const ExportOutcome outcome = exportPlot(std::get<ExportRequest>(request));
    switch (outcome.result) {
        case ExportOutcome::Result::Refused: print(stderr, outcome.message); return kExitRefused;
        case ExportOutcome::Result::NotWritten: print(stderr, outcome.message); return kExitNotWritten;
        case ExportOutcome::Result::Written: break;
    }
    for (const QString& curve : outcome.curvesWithoutPoints)
        print(stderr, QStringLiteral("曲线一个点也没有画出：%1").arg(curve));
    return outcome.curvesWithoutPoints.isEmpty() ? kExitSuccess : kExitCurveWithoutPoints;
}

}  // namespace plotdesk
