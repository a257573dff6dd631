// History items, their recall, and the history files on disk.

#include "shell/gbk_text.h"
#include "shell/history_file.h"
#include "shell/history_items.h"
#include "shell/history_place.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace plotdesk;

class HistoryTest : public QObject {
    Q_OBJECT

private:
    static QByteArray bytesOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    static void writeBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QStringList readHistoryTexts(const QString& path) {
        QStringList texts;
        for (const HistoryItem& item : readHistoryFile(path).items) texts << item.text;
        return texts;
    }
    // Saves items made in this session over whatever the file holds.
    static bool writeHistoryTexts(const QString& path, const QStringList& items, QString* error = nullptr) {
        QList<QByteArray> lines;
        for (const QString& item : items) lines << historyLine(item).value();
        const auto problem = saveHistoryFile(path, readHistoryFile(path), lines);
        if (problem && error) *error = *problem;
        return !problem;
    }

private slots:
    void functionItemsGiveBackTheirText_data() {
        QTest::addColumn<QString>("function");
        QTest::newRow("plain") << "sin(x/20)*300";
        QTest::newRow("empty") << "";
        QTest::newRow("blanks kept") << "  x + 1 ";
        QTest::newRow("prefix inside") << "f(x)=x";
        QTest::newRow("chinese") << QStringLiteral("x*２＋中文");
    }
    void functionItemsGiveBackTheirText() {
        QFETCH(QString, function);
        const QString item = functionItem(function);
        QVERIFY(item.startsWith(QLatin1String("f(x)=")));
        QCOMPARE(recallFunction(item), std::optional<QString>(function));
    }

    void functionRecallNeedsTheExactPrefix_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("capitals") << "F(X)=x+1";
        QTest::newRow("part of a split item") << "3";
        QTest::newRow("blank before") << " f(x)=x";
        QTest::newRow("empty") << "";
    }
    void functionRecallNeedsTheExactPrefix() {
        QFETCH(QString, item);
        QCOMPARE(recallFunction(item), std::nullopt);
    }

    void parametricItemsGiveBackBothTexts_data() {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("item");
        QTest::newRow("t and t^2") << "t"
                                   << "t^2"
                                   << "x = t ; y = t^2";
        QTest::newRow("circle") << "cos(t)"
                                << "sin(t)"
                                << "x = cos(t) ; y = sin(t)";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "x =  ; y = ";
        QTest::newRow("separator inside x") << "a ; b"
                                            << "c"
                                            << "x = a ; b ; y = c";
        QTest::newRow("marker inside y") << "t"
                                         << "y = 2"
                                         << "x = t ; y = y = 2";
        QTest::newRow("commas and quotes") << "\"1,2\""
                                           << "t,t"
                                           << "x = \"1,2\" ; y = t,t";
    }
    void parametricItemsGiveBackBothTexts() {
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, item);
        QCOMPARE(parametricItem(x, y), item);
        const auto texts = recallParametric(item);
        QVERIFY(texts);
        QCOMPARE(texts->xOfT, x);
        QCOMPARE(texts->yOfT, y);
    }

    void parametricRecallRefusesOtherItems_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("no marker") << "x = t";
        QTest::newRow("capital marker") << "x = t ; Y = t";
        QTest::newRow("marker too early") << "ab y = 5";
        QTest::newRow("marker first") << "y = 5";
        QTest::newRow("empty") << "";
    }
    void parametricRecallRefusesOtherItems() {
        QFETCH(QString, item);
        QCOMPARE(recallParametric(item).has_value(), false);
    }

    void parametricRecallOfATruncatedItem() {
        // Ends right after the marker: Y is empty, X as far as it goes.
        const auto texts = recallParametric(QStringLiteral("x = t ; y ="));
        QVERIFY(texts);
        QCOMPARE(texts->xOfT, QStringLiteral("t"));
        QCOMPARE(texts->yOfT, QString());
    }

    void filesHoldChineseCodePageBytesWithCrLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        QVERIFY(writeHistoryTexts(path, {QStringLiteral("f(x)=中文"), QStringLiteral("f(x)=2,3")}));
        QCOMPARE(bytesOf(path), QByteArray("f(x)=\xD6\xD0\xCE\xC4\r\nf(x)=2,3\r\n"));
    }

    void anEmptyListGivesAnEmptyFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        writeBytes(path, "old\r\n");
        QVERIFY(writeHistoryTexts(path, {}));
        QVERIFY(QFile::exists(path));
        QCOMPARE(bytesOf(path), QByteArray());
    }

    void itemsComeBackExactly_data() {
        QTest::addColumn<QStringList>("items");
        QTest::newRow("commas and quotes")
            << QStringList{"f(x)=2,3", "f(x)=\"quoted\"", "x = \"a\",b ; y = c", "  leading blanks"};
        QTest::newRow("chinese and symbols") << QStringList{QStringLiteral("f(x)=中文，全角（）"), "f(x)=x'comment"};
        QTest::newRow("beyond GBK") << QStringList{QStringLiteral("f(x)=\U00020000"), QStringLiteral("€ 😀")};
        QTest::newRow("duplicates and empty") << QStringList{"f(x)=1", "f(x)=1", "", "f(x)="};
    }
    void itemsComeBackExactly() {
        QFETCH(QStringList, items);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        QVERIFY(writeHistoryTexts(path, items));
        QCOMPARE(readHistoryTexts(path), items);
    }

    void aLineBreakInsideAnItemDoesNotSplitIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        QVERIFY(writeHistoryTexts(path, {QStringLiteral("a\r\nb"), QStringLiteral("c\nd")}));
        QCOMPARE(readHistoryTexts(path), (QStringList{"a b", "c d"}));
    }

    void readingToleratesOtherLineEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("no last line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\nb\r\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("blank line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("gbk") << QByteArray("f(x)=\xD6\xD0\r\n") << QStringList{QStringLiteral("f(x)=中")};
        QTest::newRow("damaged byte") << QByteArray(
                                             "a\xFF"
                                             "b\r\n")
                                      << QStringList{QStringLiteral("a\uFFFDb")};
        QTest::newRow("cut sequence at end") << QByteArray("a\xD6") << QStringList{QStringLiteral("a\uFFFD")};
    }
    void readingToleratesOtherLineEnds() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        writeBytes(path, bytes);
        QCOMPARE(readHistoryTexts(path), items);
    }

    void aMissingFileGivesNoItems() {
        QTemporaryDir dir;
        QCOMPARE(readHistoryTexts(dir.filePath(QStringLiteral("none.txt"))), QStringList());
    }

    void aFailedWriteLeavesTheOldFileAndSaysWhy() {
        QTemporaryDir dir;
        // A folder standing where the file should go cannot be replaced.
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("h.txt")));
        QString error;
        QVERIFY(!writeHistoryTexts(path, {QStringLiteral("x")}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(path).isDir());
        // Nothing half-written is left next to it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void rewritingReplacesTheWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.txt"));
        QVERIFY(writeHistoryTexts(path, {"one", "two", "three"}));
        QVERIFY(writeHistoryTexts(path, {"four"}));
        QCOMPARE(bytesOf(path), QByteArray("four\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"h.txt"});
    }

    void historiesLiveInTheProgramFolderWhenItIsWritable() {
        QTemporaryDir dir;
        const QString user = dir.filePath(QStringLiteral("user"));
        QCOMPARE(historyFolder(dir.path(), user), dir.path());
        QVERIFY(!QFileInfo::exists(user));
        const HistoryPaths paths = historyPathsIn(dir.path());
        QCOMPARE(QFileInfo(paths.functions).fileName(), QStringLiteral("表达式记录.txt"));
        QCOMPARE(QFileInfo(paths.parametric).fileName(), QStringLiteral("参数方程记录.txt"));
    }

    void historiesMoveToTheUserFolderWhenTheProgramFolderIsNotWritable() {
        QTemporaryDir dir;
        // A path below a plain file can never be written, whoever runs the test.
        const QString blocker = dir.filePath(QStringLiteral("file"));
        writeBytes(blocker, "x");
        const QString user = dir.filePath(QStringLiteral("data/Curvolo"));
        QCOMPARE(historyFolder(blocker + QStringLiteral("/bin"), user), user);
        QVERIFY(QFileInfo(user).isDir());
    }
};

QTEST_GUILESS_MAIN(HistoryTest)
#include "tst_shell_history.moc"
