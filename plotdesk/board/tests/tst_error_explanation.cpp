// The words beside an answer that made no point: the error number's meaning
// and the slip the expression shows.

#include "board/error_explanation.h"

#include <QtTest>

using namespace plotdesk;

class ErrorExplanationTest : public QObject {
    Q_OBJECT
private slots:
    void explanations_data();
    void explanations();
};

void ErrorExplanationTest::explanations_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("explained");
    const auto row = [](const char* name, const char* expression, const char* answer, const char* explained) {
        QTest::newRow(name) << QString::fromUtf8(expression) << QString::fromUtf8(answer)
                            << QString::fromUtf8(explained);
    };
    row("number before x", "2x+1", "ERROR#4", "ERROR#4（语法错误；乘号不能省略：2x 要写成 2*x）");
    row("number before a bracket", "3 (x+1)", "ERROR#4", "ERROR#4（语法错误；乘号不能省略：3( 要写成 3*(）");
    row("bracket after bracket", "(x+1)(x-1)", "ERROR#4", "ERROR#4（语法错误；乘号不能省略：)( 要写成 )*(）");
    row("x before a bracket", "x(x+1)", "ERROR#4", "ERROR#4（语法错误；乘号不能省略：x( 要写成 x*(）");
    row("number before a function", "2sin(x)", "ERROR#4", "ERROR#4（语法错误；乘号不能省略：2sin 要写成 2*sin）");
    row("an exponent is no missing sign", "1E+2x", "ERROR#4", "ERROR#4（语法错误；乘号不能省略：2x 要写成 2*x）");
    row("other syntax error", "x^", "ERROR#4", "ERROR#4（语法错误）");
    row("upper-case X", "X^2/20", "ERROR#3", "ERROR#3（有不认识的字母或符号；自变量要写小写的 x，不能写大写的 X）");
    row("upper-case T", "T*2", "ERROR#3", "ERROR#3（有不认识的字母或符号；自变量要写小写的 t，不能写大写的 T）");
    row("full-width x", "ｘ+1", "ERROR#3", "ERROR#3（有不认识的字母或符号；自变量 x 要用半角字母（英文输入））");
    row("function without brackets", "sinx", "ERROR#3",
        "ERROR#3（有不认识的字母或符号；函数名后要加括号：sinx 要写成 sin(x)）");
    row("square root spelt sqrt", "sqrt(x)", "ERROR#3", "ERROR#3（有不认识的字母或符号；sqrt 要写成 sqr）");
    row("square sign", "x²", "ERROR#3", "ERROR#3（有不认识的字母或符号；² 要写成 ^2）");
    row("unknown word", "a*x", "ERROR#3", "ERROR#3（有不认识的字母或符号；不认识 a）");
    row("the other variable", "t+1", "ERROR#3",
        "ERROR#3（有不认识的字母或符号；函数的自变量是 x，参数方程的自变量是 t）");
    row("missing closing bracket", "sin(x", "ERROR#2", "ERROR#2（少了右括号：有 ( 没有配对的 )）");
    row("missing opening bracket", "x)", "ERROR#1", "ERROR#1（少了左括号：有 ) 没有配对的 (）");
    row("division by zero", "1/x", "ERROR#11", "ERROR#11（除数为 0）");
    row("beyond single precision", "x^9", "1E+39", "1E+39（数值太大，画不出来：绝对值要小于 3.4E+38）");
    row("truth value", "x=1", "False", "False（是比较的真假结果，不是数值）");
    row("unknown error number", "x", "ERROR#99", "ERROR#99");
}

void ErrorExplanationTest::explanations() {
    QFETCH(QString, expression);
    QFETCH(QString, answer);
    QFETCH(QString, explained);
    QCOMPARE(explainedAnswer(expression, answer), explained);
}

QTEST_MAIN(ErrorExplanationTest)
#include "tst_error_explanation.moc"
