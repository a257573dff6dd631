// calc: evaluates expressions with the Calculator component from the command
// line or from standard input, one result line per expression.
//
// The Calculator is created through the component surface, by program
// identifier, and called late-bound by dispatch identifier: the same path the
// plotter takes for every sample, so what calc prints is exactly what a plot
// would get for the same text.

#include <cstdio>
#include <iomanip>
#include <iostream>
#include <string>
#include <string_view>

#include <unistd.h>

#include "calculator/component.h"
#include "calculator/error_numbers.h"
#include "line_reader.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: calc [EXPRESSION...]\n"
    "       calc --help\n"
    "\n"
    "Evaluates each EXPRESSION with the Calculator component and prints one\n"
    "result line per expression: a number, True or False, or ERROR# and an\n"
    "error number.\n"
    "\n"
    "Without arguments calc reads expressions from standard input, one per\n"
    "line (UTF-8; a trailing carriage return is ignored), until the end of\n"
    "the input. Each result is written out as soon as no further line is\n"
    "waiting (at once on a terminal), so a program that sends one line and\n"
    "waits for its answer gets it, and a batch of lines is answered in bulk.\n"
    "\n"
    "Examples:\n"
    "  calc \"sin(-100/20)*300\" \"1=1\"\n"
    "  printf '1/3\\n2^0.5\\n' | calc\n"
    "\n"
    "The exit status is 0 whatever the results; it is 1 when the component\n"
    "cannot be created or the results cannot be written.\n"
    "\n"
    "Error numbers:\n";

void writeUsage() {
    std::cout << kUsage;
    for (const auto& [number, meaning] : ombra::errors::kMeanings) {
        std::cout << "  " << std::setw(2) << static_cast<int>(number) << "  " << meaning << '\n';
    }
}

bool asksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

// Results go out through cout's buffer; the callers decide when it is
// flushed.
bool writeResult(ombra::com::LateBoundObject& calculator, const std::string& expression) {
    std::cout << calculator.callText(ombra::com::DISPID_CALCULATE, expression) << '\n';
    return static_cast<bool>(std::cout);
}

int evaluateArguments(ombra::com::LateBoundObject& calculator, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!writeResult(calculator, argv[i])) return 1;
    }
    return std::cout.flush() ? 0 : 1;
}

int evaluateLines(ombra::com::LateBoundObject& calculator) {
    // A prompt only when a person is typing and reading; on a terminal every
    // answer goes out at once.
    const bool interactive = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    const bool toTerminal = isatty(STDOUT_FILENO);
    LineReader input(STDIN_FILENO);
    std::string line;
    for (;;) {
        if (interactive) std::cout << "> " << std::flush;
        if (!input.next(line)) break;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!writeResult(calculator, line)) return 1;
        // Whoever sent the line may be waiting for its answer before sending
        // the next: the answers go out before calc would wait for input.
        if ((toTerminal || !input.lineWaiting()) && !std::cout.flush()) return 1;
    }
    if (interactive) std::cout << '\n';
    return std::cout.flush() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (asksForHelp(argc, argv)) {
        writeUsage();
        return std::cout.flush() ? 0 : 1;
    }

    ombra::com::HRESULT hr = ombra::com::S_OK;
    auto calculator = ombra::com::LateBoundObject::create(ombra::com::kCalculatorProgId, &hr);
    if (!calculator.valid()) {
        std::fprintf(stderr, "calc: cannot create %s (error 0x%08X)\n", ombra::com::kCalculatorProgId,
                     static_cast<unsigned>(hr));
        return 1;
    }
    return argc > 1 ? evaluateArguments(calculator, argc, argv) : evaluateLines(calculator);
}
