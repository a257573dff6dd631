// Calculate answers expressions of a recurring shape from a plan. Whatever
// the input, its answer must be the one the text rewriting gives: the same
// result text, the same text left in X, the same state fields, and the same
// use of the random sequence. A million generated expressions are checked.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "calculate_case.h"
#include "calculator/test_access.h"

namespace ombra {
namespace {

// Under the sanitizers every call costs many times more.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSlowdown = 5;
#else
constexpr int kSlowdown = 1;
#endif
#else
constexpr int kSlowdown = 1;
#endif

constexpr int kPlotShapes = 14000 / kSlowdown;
constexpr int kSamplesPerShape = 50;
constexpr int kFreeExpressions = 150000 / kSlowdown;  // and as many edge operations

// What one call leaves behind.
struct Outcome {
    std::string result;
    std::string text;
    int16_t errorFlag;
    int16_t errorNumber;
    int16_t logicalResult;
    std::string nextRandom;  // the number RND(1) draws right after the call
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << '"' << o.result << "\" X=\"" << o.text << "\" flag=" << o.errorFlag << " number=" << o.errorNumber
               << " logical=" << o.logicalResult << " next RND=" << o.nextRandom;
}

enum class Path { Plans, Rewriting };

// Runs one input by one path. An input that may use RND starts from the same
// point of the random sequence on both paths, and the draw after it shows
// that both left the sequence at the same point.
Outcome run(const std::string& input, Path path, bool mayDrawRandom) {
    Calculator calculator;
    std::string scratch;
    if (mayDrawRandom) {
        scratch = "RND(-7)";
        CalculatorTestAccess::calculateByRewriting(calculator, scratch);
    }
    Outcome o;
    o.text = input;
    o.result = path == Path::Plans ? calculator.Calculate(o.text)
                                   : CalculatorTestAccess::calculateByRewriting(calculator, o.text);
    o.errorFlag = calculator.ErrorFlag;
    o.errorNumber = calculator.ErrorNumber;
    o.logicalResult = calculator.LogicalResult;
    if (mayDrawRandom) {
        scratch = "RND(1)";
        o.nextRandom = CalculatorTestAccess::calculateByRewriting(calculator, scratch);
    }
    return o;
}

// Inputs on which a plan that is wrong in one plausible way answers
// differently from the rewriting; each was found by breaking the plan on
// purpose, and any input on which plans and rewriting ever differ joins them.
const std::vector<std::string> kTellingInputs = {
    "hcosec((-24.1503441432045)* (-24.1503441432045))",                 // every value through its text
    "-1.5707963267949+-+-1.5707963267949",                              // signs folded as the stages fold
    "(-97.4845443784444)*-((-97.4845443784444)=<(-97.4845443784444))",  // "-" before a true comparison
    "ARCCOSEC(TAN(+999999999999999.5)) %pi+-- (999999999999999.5)",     // a literal of 16 digits
    "INT((1.7976931348623157E+308))",                                   // a last value whose text overflows
    "HCOS(RND(219515.873481895)=E)",                                    // the random sequence advanced
    "hsec((89.9676229956846)<>(89.9676229956846))* 0.",                 // a comparison makes 0 False
    "SEC((COSEC((438))=(-0.5)^FALSE^-0.5))",                            // a sign behind a mark
    "NOT INT((2)) AND 3",  // refused by the word check, though its internal form would compile
};

// A number as the board writes a sample value: at most 15 significant digits,
// a zero before the point, exponent form below 1E-04 and from 1E+15 up.
std::string sampleText(double value) {
    if (value == 0) return "0";
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    const std::string_view scientific(buffer, static_cast<size_t>(end - buffer));
    const size_t e = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c >= '0' && c <= '9') digits.push_back(c);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string text = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) text += "." + digits.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        text += (std::abs(exponent) < 10 ? "0" : "") + std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else if (digits.size() <= static_cast<size_t>(exponent) + 1) {
        text += digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        text += digits.substr(0, static_cast<size_t>(exponent) + 1) + "." +
                digits.substr(static_cast<size_t>(exponent) + 1);
    }
    return text;
}

class Generator {
public:
    explicit Generator(uint64_t seed) : random_(seed) {}

    // A plot expression: the variable is "@" until a sample value replaces it.
    std::string plotShape(int depth) {
        switch (depth <= 0 ? pick(3) : pick(12)) {
            case 0:
            case 1: return "@";
            case 2: return pick(4) == 0 ? constantWord() : typedNumber();
            case 3:
            case 4:
            case 5: return casing(oneOf(kFunctionWords)) + "(" + plotShape(depth - 1) + ")";
            case 6:
            case 7:
                return plotShape(depth - 1) + blanks() + oneOf(kArithmetic) + blanks() + sign() + plotShape(depth - 1);
            case 8: return oneOf(kSigns) + plotShape(depth - 1);
            case 9: return "(" + plotShape(depth - 1) + ")";
            case 10: {
                const std::string comparison = plotShape(depth - 1) + oneOf(kComparisons) + plotShape(depth - 1);
                return pick(2) == 0 ? comparison : sign() + "(" + comparison + ")";
            }
            default:
                return pick(3) == 0 ? "NOT " + plotShape(depth - 1)
                                    : plotShape(depth - 1) + " " + oneOf(kLogicalWords) + " " + plotShape(depth - 1);
        }
    }

    // The samples a plot of the shape sends: a run of the board's sweep, with
    // now and then a value that tests an edge.
    std::vector<std::string> samples(int count) {
        std::vector<std::string> texts;
        double v = std::uniform_real_distribution<double>(-100, 100)(random_);
        const double step = oneOf(std::array{0.002, 0.1, 1.0, 2.0, 0.01, 1e-7});
        if (pick(3) == 0) v = -step * pick(30);  // a run that crosses zero
        for (int k = 0; k < count; ++k, v += step) {
            texts.push_back(pick(8) == 0 ? edgeNumber() : sampleText(v));
        }
        return texts;
    }

    // One operation or function on numbers at the edges: the limits of the
    // double and 32-bit ranges, the smallest values, roundings.
    std::string edgeOperation() {
        const std::string a = pick(2) == 0 ? edgeNumber() : typedNumber();
        const std::string b = pick(2) == 0 ? edgeNumber() : typedNumber();
        switch (pick(3)) {
            case 0: return oneOf(kSigns) + a + oneOf(kArithmetic) + sign() + b;
            case 1: return std::string(oneOf(kFunctionWords)) + "(" + sign() + a + ")";
            default: return a + oneOf(kComparisons) + sign() + b;
        }
    }

    // Any text over the evaluator's alphabet and around it.
    std::string freeText() {
        std::string text;
        for (int k = 1 + pick(12); k > 0; --k) text += oneOf(kPieces);
        return text;
    }

    std::string typedNumber() {
        switch (pick(6)) {
            case 0: return std::to_string(pick(1000));
            case 1: return sampleText(std::uniform_real_distribution<double>(-1e6, 1e6)(random_));
            case 2: return edgeNumber();
            case 3: return "." + std::to_string(pick(100));
            case 4: return std::to_string(pick(10)) + ".";
            default:
                return std::to_string(1 + pick(9)) + oneOf(std::array{"E+", "E-", "e+", "e-"}) +
                       std::to_string(pick(400));
        }
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    template <class List>
    typename List::value_type oneOf(const List& list) {
        return list[static_cast<size_t>(pick(static_cast<int>(std::size(list))))];
    }

private:
    // Zero, poles, domain edges, huge and tiny values, 15-digit roundings.
    std::string edgeNumber() {
        static const std::array<const char*, 35> kEdges = {
            "0",
            "-0",
            "0.0",
            "1",
            "-1",
            "1.5707963267949",
            "-1.5707963267949",
            "3.14159265358979",
            "90",
            "180",
            "710",
            "-710",
            "1E+15",
            "999999999999999",
            "999999999999999.5",
            "0.1",
            "0.30000000000000004",
            "1.38777878078145E-14",
            "-1.38777878078145E-16",
            "4.94065645841247E-324",
            "2.2250738585072E-308",
            "1.79769313486231E+308",
            "1.7976931348623157E+308",
            "1.797693134862315E+308",
            "1.79769313486231E+308",
            "8.98846567431158E+307",
            "1E+308",
            "1E+400",
            "1E-400",
            "2147483647.5",
            "-2147483648",
            "2147483648",
            "1E+200",
            "0.5",
            "-0.5",
        };
        return oneOf(kEdges);
    }

    std::string constantWord() { return casing(oneOf(std::array{"PI", "E", "TRUE", "FALSE"})); }

    std::string blanks() { return pick(3) == 0 ? " " : ""; }
    std::string sign() { return pick(4) == 0 ? "-" : ""; }

    std::string casing(std::string_view word) {
        std::string text(word);
        if (pick(4) == 0) {
            for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    }

    static constexpr std::array<const char*, 34> kFunctionWords = {
        "SIN",      "COS",      "TAN",     "ATN",       "EXP",       "LOG",   "SQR",    "ABS",    "INT",
        "FIX",      "SGN",      "RND",     "SEC",       "COSEC",     "COTAN", "ARCSIN", "ARCCOS", "ARCSEC",
        "ARCCOSEC", "ARCCOTAN", "HSIN",    "HCOS",      "HTAN",      "HSEC",  "HCOSEC", "HCOTAN", "HARCSIN",
        "HARCCOS",  "HARCTAN",  "HARCSEC", "HARCCOSEC", "HARCCOTAN", "ATOR",  "RTOA"};
    static constexpr std::array<const char*, 9> kArithmetic = {"+", "-", "*", "/", "^", "\\", "MOD", "%", "*"};
    static constexpr std::array<const char*, 5> kSigns = {"-", "+", "--", "-+", "- "};
    static constexpr std::array<const char*, 8> kComparisons = {"=", "<>", ">=", "<=", "=<", ">", "<", "=>"};
    static constexpr std::array<const char*, 5> kLogicalWords = {"AND", "OR", "XOR", "EQV", "IMP"};
    // Pieces of free text: everything the alphabet knows, in both widths and
    // cases, and a few things it does not.
    static constexpr std::array<const char*, 80> kPieces = {"0",
                                                            "1",
                                                            "2",
                                                            "7",
                                                            "9",
                                                            ".",
                                                            "5",
                                                            "12.5",
                                                            "0.001",
                                                            "1E+5",
                                                            "2.5E-3",
                                                            "1E",
                                                            "E+",
                                                            "E-",
                                                            "e",
                                                            "E",
                                                            "EE",
                                                            "+",
                                                            "-",
                                                            "*",
                                                            "/",
                                                            "\\",
                                                            "^",
                                                            "%",
                                                            "MOD",
                                                            " mod ",
                                                            "(",
                                                            ")",
                                                            "(",
                                                            ")",
                                                            "((",
                                                            "))",
                                                            "=",
                                                            "<>",
                                                            ">=",
                                                            "<=",
                                                            "=<",
                                                            "=>",
                                                            "<",
                                                            ">",
                                                            "NOT ",
                                                            " AND ",
                                                            " OR ",
                                                            " XOR ",
                                                            " EQV ",
                                                            " IMP ",
                                                            "TRUE",
                                                            "FALSE",
                                                            "true",
                                                            "PI",
                                                            "pi",
                                                            "SIN",
                                                            "cos",
                                                            "TAN(",
                                                            "LOG(",
                                                            "SQR(",
                                                            "RND(",
                                                            "SGN(",
                                                            "ABS(",
                                                            "HARCCOSEC(",
                                                            "ARCSEC(",
                                                            "ATOR(",
                                                            "EXP(",
                                                            "SEC(",
                                                            "FIX",
                                                            "INT(",
                                                            " ",
                                                            "\xE3\x80\x80",
                                                            "\xEF\xBC\x91",
                                                            "\xEF\xBC\x8B",
                                                            "\xEF\xBC\x88",
                                                            "\xEF\xBD\x93\xEF\xBD\x89\xEF\xBD\x8E",
                                                            "'c",
                                                            "x",
                                                            ",",
                                                            ";",
                                                            "#",
                                                            "$",
                                                            "\xFF",
                                                            "\xEF\xBD"};

    std::mt19937_64 random_;
};

bool mentionsRandom(std::string_view text) {
    for (std::string_view word : {"RND", "rnd", "\xEF\xBC\xB2"}) {
        if (text.find(word) != std::string_view::npos) return true;
    }
    return false;
}

// Compares the two paths on one input; false after reporting a difference.
// A plot expression that the rewriting answers with a value (not an error,
// not one of the bare truth words answered before any evaluation) must have
// been answered by a plan.
bool agree(const std::string& input, bool plotted) {
    const bool mayDrawRandom = mentionsRandom(input);
    const uint64_t plannedBefore = CalculatorTestAccess::planCacheFigures().planned;
    const Outcome byPlans = run(input, Path::Plans, mayDrawRandom);
    const bool planned = CalculatorTestAccess::planCacheFigures().planned != plannedBefore;
    const Outcome byRewriting = run(input, Path::Rewriting, mayDrawRandom);
    EXPECT_EQ(byPlans, byRewriting) << "input \"" << input << '"';
    const bool answeredEarly = byRewriting.text == "TRUE" || byRewriting.text == "FALSE";
    const bool mustBePlanned = plotted && !byRewriting.result.starts_with("ERROR#") && !answeredEarly;
    EXPECT_TRUE(planned || !mustBePlanned) << "no plan for \"" << input << '"';
    return byPlans == byRewriting && (planned || !mustBePlanned);
}

// Threads share the plans: while each thread runs a plan, others replace the
// shapes in the cache, having more shapes among them than it holds.
TEST(Plans, AgreeWhileThreadsShareAndReplaceThem) {
    constexpr int kThreads = 4;
    constexpr int kCallsPerThread = 4000;
    std::vector<std::string> shapes;
    for (const char* function : {"SIN", "COS", "TAN", "ATN", "ABS", "EXP", "INT", "FIX"}) {
        for (const char* around :
             {"%s(x/20)*300", "-%s(x)+1", "(%s(x)-2)/3", "%s(x)^2 MOD 7", "x<%s(x)", "NOT %s(x) AND 3"}) {
            std::string shape = around;
            shape.replace(shape.find("%s"), 2, function);
            shapes.push_back(shape);
        }
    }
    std::vector<int> differences(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937 random(static_cast<unsigned>(t));
            Calculator calculator;
            for (int k = 0; k < kCallsPerThread; ++k) {
                std::string input = shapes[random() % shapes.size()];
                const std::string value = "(" + sampleText((static_cast<double>(random() % 20001) - 10000) / 97) + ")";
                for (size_t at = input.find('x'); at != std::string::npos; at = input.find('x', at + value.size())) {
                    input.replace(at, 1, value);
                }
                std::string byPlans = input;
                std::string byRewriting = input;
                const std::string planned = calculator.Calculate(byPlans);
                if (planned != CalculatorTestAccess::calculateByRewriting(calculator, byRewriting) ||
                    byPlans != byRewriting) {
                    ++differences[static_cast<size_t>(t)];
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(differences, std::vector<int>(kThreads, 0));
}

TEST(Plans, AgreeWithTheRewritingOnTellingInputs) {
    for (const std::string& input : kTellingInputs) agree(input, true);
}

TEST(Plans, AgreeWithTheRewritingOnAMillionExpressions) {
    Generator generator(20240405);
    const CalculatorTestAccess::PlanCacheFigures before = CalculatorTestAccess::planCacheFigures();
    int checked = 0;
    int differences = 0;
    auto check = [&](const std::string& input, bool plotted) {
        ++checked;
        if (!agree(input, plotted) && ++differences > 20) FAIL() << "too many differences";
    };
    for (int shape = 0; shape < kPlotShapes; ++shape) {
        const std::string text = generator.plotShape(1 + generator.pick(4));
        const bool parenthesised = generator.pick(4) != 0;  // as the board sends it
        for (const std::string& sample : generator.samples(kSamplesPerShape)) {
            std::string input;
            for (char c : text) input += c == '@' ? (parenthesised ? "(" + sample + ")" : sample) : std::string(1, c);
            check(input, true);
            if (differences > 20) return;
        }
    }
    for (int k = 0; k < kFreeExpressions; ++k) {
        check(generator.freeText(), false);
        check(generator.edgeOperation(), false);
        if (differences > 20) return;
    }
    const CalculatorTestAccess::PlanCacheFigures after = CalculatorTestAccess::planCacheFigures();
    EXPECT_GE(checked, 1000000 / kSlowdown);
    std::cout << checked << " expressions, " << (after.planned - before.planned) << " answered by a plan\n";
}

}  // namespace
}  // namespace ombra
