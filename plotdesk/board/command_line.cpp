#include "board/command_line.h"

#include "board/board_texts.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

namespace plotdesk {
namespace {

constexpr char kExportOption[] = "export";
constexpr char kFunctionOption[] = "--function";
constexpr char kParametricOption[] = "--parametric";
constexpr int kFailureExit = 1;

bool asksForOutputOnly(const char* argument) {
    for (const char* option : {"--export", "--help", "--help-all", "-h", "--version", "-v"}) {
        const size_t length = std::strlen(option);
        if (std::strncmp(argument, option, length) == 0 && (argument[length] == '\0' || argument[length] == '='))
            return true;
    }
    return false;
}

// Takes --function and --parametric out of the arguments, as they come, into
// `curves`: QCommandLineParser neither keeps the order between two options
// nor reads an option with two values. "--parametric=" cannot carry both
// expressions, so it is refused rather than left to the parser, which would
// take it and plot nothing for it.
std::optional<QString> takeCurves(QStringList& arguments, std::vector<ExportCurve>& curves) {
    const QString functionEquals = QString::fromLatin1(kFunctionOption) + QLatin1Char('=');
    const QString parametricEquals = QString::fromLatin1(kParametricOption) + QLatin1Char('=');
    const QString parametricNeedsTwo = QStringLiteral("--parametric 需要两个表达式：X(t) 和 Y(t)");
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String(kFunctionOption)) {
            if (i + 1 >= arguments.size()) return QStringLiteral("--function 需要一个表达式");
            curves.push_back({false, arguments[++i], {}, {}});
        } else if (argument.startsWith(functionEquals)) {
            curves.push_back({false, argument.mid(functionEquals.size()), {}, {}});
        } else if (argument.startsWith(parametricEquals)) {
            return parametricNeedsTwo;
        } else if (argument == QLatin1String(kParametricOption)) {
            if (i + 2 >= arguments.size()) return parametricNeedsTwo;
            curves.push_back({true, {}, arguments[i + 1], arguments[i + 2]});
            i += 2;
        } else {
            rest.append(argument);
        }
    }
    arguments = rest;
    return std::nullopt;
}

}  // namespace

void chooseHeadlessPlatform(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return;
    for (int i = 1; i < argc; ++i) {
        if (asksForOutputOnly(argv[i])) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return;
        }
    }
}

CommandLineRequest parseCommandLine(const QStringList& arguments) {
    QStringList remaining = arguments;
    std::vector<ExportCurve> curves;
    if (const std::optional<QString> error = takeCurves(remaining, curves)) return CommandLineError{*error};

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Curvolo 函数图像绘制程序。不带参数时打开窗口。"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportTo(QString::fromLatin1(kExportOption),
                                      QStringLiteral("不打开窗口，把画板画成 PNG 图片写入 <FILE.png>。"),
                                      QStringLiteral("FILE.png"));
    const QCommandLineOption function(QStringLiteral("function"),
                                      QStringLiteral("画函数 y = f(x)，可重复；与 --parametric 按出现顺序依次画出。"),
                                      QStringLiteral("EXPR"));
    const QCommandLineOption parametric(QStringLiteral("parametric"),
                                        QStringLiteral("画参数方程 X(t)、Y(t)，跟两个表达式，可重复。"),
                                        QStringLiteral("XEXPR YEXPR"));
    const QCommandLineOption first(QStringLiteral("start"), QStringLiteral("自变量起始值（默认取设置）。"),
                                   QStringLiteral("A"));
    const QCommandLineOption last(QStringLiteral("end"), QStringLiteral("自变量终止值（默认取设置）。"),
                                  QStringLiteral("B"));
    const QCommandLineOption step(QStringLiteral("step"), QStringLiteral("步长（默认取设置）。"), QStringLiteral("S"));
    parser.addOptions({exportTo, function, parametric, first, last, step});

    if (!parser.parse(remaining)) return CommandLineError{parser.errorText()};
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) return ShowHelp{parser.helpText()};
    if (parser.isSet(version)) return ShowVersion{QString::fromUtf8(boardtext::kTitle)};
    if (!parser.positionalArguments().isEmpty())
        return CommandLineError{QStringLiteral("无法识别的参数：%1").arg(parser.positionalArguments().join(' '))};

    const bool exporting = parser.isSet(exportTo);
    const bool plotOptions = !curves.empty() || parser.isSet(first) || parser.isSet(last) || parser.isSet(step);
    if (!exporting) {
        if (plotOptions)
            return CommandLineError{
                QStringLiteral("--function、--parametric、--start、--end 和 --step 需要与 --export 一起使用")};
        return StartWindows{};
    }

    ExportRequest request;
    request.file = parser.value(exportTo);
    request.curves = std::move(curves);
    auto optionalValue = [&](const QCommandLineOption& option) -> std::optional<QString> {
        if (!parser.isSet(option)) return std::nullopt;
        return parser.value(option);
    };
    request.start = optionalValue(first);
    request.end = optionalValue(last);
    request.step = optionalValue(step);
    if (request.file.isEmpty()) return CommandLineError{QStringLiteral("--export 需要一个文件名")};
    return request;
}

std::optional<int> runCommandLine(const QStringList& arguments) {
    const CommandLineRequest request = parseCommandLine(arguments);
    auto print = [](FILE* stream, const QString& text) {
        std::fputs(text.toLocal8Bit().constData(), stream);
        if (!text.endsWith(QLatin1Char('\n'))) std::fputc('\n', stream);
        std::fflush(stream);
    };

    if (std::holds_alternative<StartWindows>(request)) return std::nullopt;
    if (const auto* help = std::get_if<ShowHelp>(&request)) {
        print(stdout, help->text);
        return 0;
    }
    if (const auto* version = std::get_if<ShowVersion>(&request)) {
        print(stdout, version->text);
        return 0;
    }
    if (const auto* error = std::get_if<CommandLineError>(&request)) {
        print(stderr, error->message);
        return kFailureExit;
    }
    if (const std::optional<QString> failure = exportPlot(std::get<ExportRequest>(request))) {
        print(stderr, *failure);
        return kFailureExit;
    }
    return 0;
}

}  // namespace plotdesk
