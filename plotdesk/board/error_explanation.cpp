#include "board/error_explanation.h"

#include "calculator/error_numbers.h"
#include "calculator/number_text.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace plotdesk {
namespace {

namespace errors = ombra::errors;

// What each error number means, in a pupil's words.
QString meaning(int number) {
    switch (number) {
        case errors::kUnopenedParenthesis: return QStringLiteral("少了左括号：有 ) 没有配对的 (");
        case errors::kUnclosedParenthesis: return QStringLiteral("少了右括号：有 ( 没有配对的 )");
        case errors::kForeignCharacter: return QStringLiteral("有不认识的字母或符号");
        case errors::kSyntaxError: return QStringLiteral("语法错误");
        case errors::kInvalidArgument: return QStringLiteral("函数的参数不合要求，如负数开平方、0 或负数取对数");
        case errors::kOverflow: return QStringLiteral("数值太大，超出计算范围");
        case errors::kEmptyExpression: return QStringLiteral("表达式是空的");
        case errors::kDivisionByZero: return QStringLiteral("除数为 0");
        case errors::kTypeMismatch: return QStringLiteral("得不到数值，如函数的括号里是空的");
        default: return QString();
    }
}

// The expression as the evaluator reads it, cut into the pieces a slip is
// seen in. Full-width characters count as their half-width twins, blanks
// only separate, and a comment (from an apostrophe on) is left out.
enum class Kind { Number, Open, Close, Variable, Word, Sign, Foreign };

struct Token {
    Kind kind;
    QString typed;  // as typed
    QString word;   // a word in half-width capitals
};

QChar halfWidth(QChar c) {
    if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) return QChar(c.unicode() - 0xFEE0);
    if (c.unicode() == 0xFE3F) return QLatin1Char('^');  // the full-width caret the evaluator maps
    if (c.unicode() == 0x3000) return QLatin1Char(' ');
    return c;
}

bool isLatinLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}
bool isNumberCharacter(QChar c) { return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'); }

std::vector<Token> tokens(const QString& expression) {
    std::vector<Token> found;
    const qsizetype size = expression.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = halfWidth(expression[i]);
        if (c == QLatin1Char('\'')) break;
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const auto run = [&](auto belongs) {
            const qsizetype first = i;
            while (i < size && belongs(halfWidth(expression[i]))) ++i;
            return expression.mid(first, i - first);
        };
        if (isNumberCharacter(c)) {
            found.push_back({Kind::Number, run(isNumberCharacter), {}});
        } else if (isLatinLetter(c)) {
            const QString typed = run(isLatinLetter);
            QString word;
            for (QChar letter : typed) word += halfWidth(letter).toUpper();
            // Only a lone lower-case x or t is replaced by the sample's value.
            const bool variable = typed == QLatin1String("x") || typed == QLatin1String("t");
            found.push_back({variable ? Kind::Variable : Kind::Word, typed, word});
        } else {
            Kind kind = Kind::Foreign;
            if (c == QLatin1Char('('))
                kind = Kind::Open;
            else if (c == QLatin1Char(')'))
                kind = Kind::Close;
            else if (QStringLiteral("+-*/\\%^=<>").contains(c))
                kind = Kind::Sign;
            found.push_back({kind, expression.mid(i, 1), {}});
            ++i;
        }
    }
    return found;
}

// The evaluator's function names, and the other words it knows.
const QStringList& functionNames() {
    static const QStringList names = QStringLiteral(
                                         "SIN COS ABS ATN EXP LOG SQR TAN INT FIX RND SGN SEC COSEC COTAN ARCSIN "
                                         "ARCCOS ARCSEC ARCCOSEC ARCCOTAN HSIN HCOS HTAN HSEC HCOSEC HCOTAN HARCSIN "
                                         "HARCCOS HARCTAN HARCSEC HARCCOSEC HARCCOTAN ATOR RTOA")
                                         .split(QLatin1Char(' '));
    return names;
}
bool isConstant(const QString& word) {
    return word == QLatin1String("PI") || word == QLatin1String("E") || word == QLatin1String("TRUE") ||
           word == QLatin1String("FALSE");
}
bool isKnownWord(const QString& word) {
    static const QStringList operators = QStringLiteral("MOD NOT AND XOR OR EQV IMP").split(QLatin1Char(' '));
    return functionNames().contains(word) || isConstant(word) || operators.contains(word);
}

// A value and what follows it with no "*" between: "2x", "2(", ")(", "x(",
// ")2", "2sin", "2pi". A number's "E" is its exponent, not a missing "*".
std::optional<QString> missingMultiplication(const std::vector<Token>& found) {
    for (size_t k = 1; k < found.size(); ++k) {
        const Token& left = found[k - 1];
        const Token& right = found[k];
        const bool valueEnds = left.kind == Kind::Number || left.kind == Kind::Close || left.kind == Kind::Variable;
        const bool valueStarts =
            right.kind == Kind::Open || right.kind == Kind::Variable ||
            (right.kind == Kind::Number && left.kind != Kind::Number) ||
            (right.kind == Kind::Word && (functionNames().contains(right.word) || isConstant(right.word)) &&
             !(left.kind == Kind::Number && right.word == QLatin1String("E")));
        if (valueEnds && valueStarts)
            return QStringLiteral("乘号不能省略：%1%2 要写成 %1*%2").arg(left.typed, right.typed);
    }
    return std::nullopt;
}

// Signs and words pupils write that the evaluator spells otherwise.
struct Respelling {
    const char16_t* typed;
    const char* meant;
};
constexpr Respelling kRespellings[] = {
    {u"×", "*"},  {u"÷", "/"},      {u"²", "^2"},   {u"³", "^3"},
    {u"π", "pi"}, {u"SQRT", "sqr"}, {u"LN", "log"}, {u"ARCTAN", "atn"},
};

std::optional<QString> respelling(const QString& key) {
    for (const Respelling& row : kRespellings)
        if (key == QString::fromUtf16(row.typed)) return QString::fromLatin1(row.meant);
    return std::nullopt;
}

// The first word or sign the evaluator does not know, and what was meant.
std::optional<QString> foreignSlip(const std::vector<Token>& found) {
    for (const Token& token : found) {
        if (token.kind == Kind::Foreign) {
            if (const auto meant = respelling(token.typed))
                return QStringLiteral("%1 要写成 %2").arg(token.typed, *meant);
            return QStringLiteral("不认识 %1").arg(token.typed);
        }
        if (token.kind != Kind::Word || isKnownWord(token.word)) continue;
        const QString lower = token.word.toLower();
        if (token.word == QLatin1String("X") || token.word == QLatin1String("T")) {
            if (token.typed == token.word)
                return QStringLiteral("自变量要写小写的 %1，不能写大写的 %2").arg(lower, token.typed);
            return QStringLiteral("自变量 %1 要用半角字母（英文输入）").arg(lower);
        }
        if (const auto meant = respelling(token.word)) return QStringLiteral("%1 要写成 %2").arg(token.typed, *meant);
        const QString name = token.word.chopped(1);
        if ((token.word.endsWith(QLatin1Char('X')) || token.word.endsWith(QLatin1Char('T'))) &&
            functionNames().contains(name))
            return QStringLiteral("函数名后要加括号：%1 要写成 %2(%3)")
                .arg(token.typed, name.toLower(), lower.right(1));
        return QStringLiteral("不认识 %1").arg(token.typed);
    }
    for (const Token& token : found)
        if (token.kind == Kind::Variable) return QStringLiteral("函数的自变量是 x，参数方程的自变量是 t");
    return std::nullopt;
}

std::optional<int> errorNumber(const QString& answer) {
    static const QString prefix = QStringLiteral("ERROR#");
    if (!answer.startsWith(prefix)) return std::nullopt;
    bool ok = false;
    const int number = answer.mid(prefix.size()).toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// The words for an answer that is not an error: a number too large to draw
// or a truth value.
QString nonErrorWords(const QString& answer) {
    if (answer == QLatin1String("True") || answer == QLatin1String("False"))
        return QStringLiteral("是比较的真假结果，不是数值");
    const std::optional<double> value = ombra::number_text::readDouble(answer.toStdString());
    if (value && std::fabs(*value) > std::numeric_limits<float>::max())
        return QStringLiteral("数值太大，画不出来：绝对值要小于 3.4E+38");
    return QString();
}

}  // namespace

QString explainedAnswer(const QString& expression, const QString& answer) {
    QStringList words;
    if (const std::optional<int> number = errorNumber(answer)) {
        words << meaning(*number);
        std::optional<QString> hint;
        if (*number == errors::kForeignCharacter) hint = foreignSlip(tokens(expression));
        if (*number == errors::kSyntaxError) hint = missingMultiplication(tokens(expression));
        if (hint) words << *hint;
    } else {
        words << nonErrorWords(answer);
    }
    words.removeAll(QString());
    if (words.isEmpty()) return answer;
    return answer + QStringLiteral("（") + words.join(QStringLiteral("；")) + QStringLiteral("）");
}

}  // namespace plotdesk
