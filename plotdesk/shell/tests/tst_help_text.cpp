// The help tab's text: its outline, and every worked example in it checked
// against the evaluator the program really uses.

#include "shell/help_text.h"

#include <calculator/component.h>

#include <QRegularExpression>
#include <QtTest>

using namespace plotdesk;

namespace {

struct Example {
    QString expression;
    QString result;
};

// The examples of the text: after each "例：", up to the end of that
// sentence, pieces "EXPR = RESULT" or "EXPR 得 RESULT" separated by "，";
// remarks in full-width brackets are not part of them.
QList<Example> examplesIn(const QString& text) {
    static const QRegularExpression remark(QStringLiteral("（[^）]*）"));
    QList<Example> examples;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype at = line.indexOf(QStringLiteral("例："));
        if (at < 0) continue;
        QString sentence = line.mid(at + 2).section(QStringLiteral("。"), 0, 0);
        sentence.remove(remark).remove(QStringLiteral("）"));
        for (const QString& piece : sentence.split(QStringLiteral("，"))) {
            for (const QString& separator : {QStringLiteral(" = "), QStringLiteral(" 得 ")}) {
                const qsizetype split = piece.lastIndexOf(separator);
                if (split < 0) continue;
                examples.append({piece.left(split).trimmed(), piece.mid(split + separator.size()).trimmed()});
                break;
            }
        }
    }
    return examples;
}

}  // namespace

class HelpTextTest : public QObject {
    Q_OBJECT

private slots:
    void everyExampleIsWhatTheEvaluatorAnswers() {
        auto calculator = ombra::com::LateBoundObject::create(ombra::com::kCalculatorProgId);
        QVERIFY(calculator.valid());
        const QList<Example> examples = examplesIn(helpText());
        QVERIFY2(examples.size() >= 40, qPrintable(QString::number(examples.size())));
        for (const Example& example : examples) {
            const QString answer = QString::fromStdString(
                calculator.callText(ombra::com::DISPID_CALCULATE, example.expression.toStdString()));
            QVERIFY2(answer == example.result, qPrintable(example.expression + QStringLiteral(" gives ") + answer +
                                                          QStringLiteral(", the text says ") + example.result));
        }
    }

    void allFiftyItemsStandUnderTheSevenHeadingsInOrder() {
        const QString text = helpText();
        qsizetype last = -1;
        for (int item = 1; item <= 50; ++item) {
            const QRegularExpression numbered(QStringLiteral("^ %1\\. ").arg(item),
                                              QRegularExpression::MultilineOption);
            const qsizetype at = text.indexOf(numbered, last + 1);
            QVERIFY2(at > last, qPrintable(QString::number(item)));
            last = at;
        }
        const QStringList headings{"（一）基本符号", "（二）运算符", "（三）基本函数", "（四）派生三角函数",
                                   "（五）附加函数", "（六）常数",   "（七）注释",     "四、运算顺序"};
        qsizetype previous = -1;
        for (const QString& heading : headings) {
            const qsizetype at = text.indexOf(heading);
            QVERIFY2(at > previous, qPrintable(heading));
            previous = at;
        }
    }
};

QTEST_GUILESS_MAIN(HelpTextTest)
#include "tst_help_text.moc"
