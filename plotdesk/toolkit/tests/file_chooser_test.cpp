// The file chooser's list in Chinese: a folder's type, sizes, dates and a
// file's type; and the picture filter the background picture is chosen by.

#include "toolkit/file_chooser.h"
#include "toolkit/chinese_translation.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace plotdesk::toolkit;

class FileChooserTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theListIsChinese_data();
    void theListIsChinese();
    void picturesAreOfferedFirst();
};

void FileChooserTest::initTestCase() { installChineseTranslation(*QApplication::instance()); }

// Each row: a name in the folder, and what its size, type and date columns
// must read; a pattern for each, as sizes and dates differ between runs.
void FileChooserTest::theListIsChinese_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("type");
    QTest::newRow("folder") << "sub"
                            << "^$"
                            << "^文件夹$";
    QTest::newRow("small picture") << "a.png"
                                   << "^5 字节$"
                                   << "图像";
    QTest::newRow("larger file") << "big.txt"
                                 << "^2\\.0 kB$"
                                 << "\\p{Han}";
}

void FileChooserTest::theListIsChinese() {
    QFETCH(QString, name);
    QFETCH(QString, size);
    QFETCH(QString, type);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    for (const auto& [file, bytes] : {std::pair("a.png", 5), std::pair("big.txt", 2048)}) {
        QFile written(folder.filePath(QString::fromLatin1(file)));
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(QByteArray(bytes, 'a'));
    }

    QFileDialog dialog(nullptr, QString(), folder.path(), QStringLiteral("所有文件 (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    useChineseFileList(dialog);
    dialog.show();
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(view);
    const QAbstractItemModel* list = view->model();
    const auto row = [&] {
        const QModelIndex root = view->rootIndex();
        for (int r = 0; r < list->rowCount(root); ++r)
            if (list->index(r, 0, root).data().toString() == name) return r;
        return -1;
    };
    QTRY_VERIFY(row() >= 0);
    const QModelIndex first = list->index(row(), 0, view->rootIndex());
    const auto column = [&](int c) { return first.siblingAtColumn(c).data().toString(); };
    QVERIFY2(QRegularExpression(size).match(column(1)).hasMatch(), qPrintable(column(1)));
    QVERIFY2(QRegularExpression(type).match(column(2)).hasMatch(), qPrintable(column(2)));
    // A date as written in China: year first, no month names.
    const QString date = QDate::currentDate().toString(QStringLiteral("yyyy/M/d"));
    QVERIFY2(column(3).startsWith(date), qPrintable(column(3)));
}

void FileChooserTest::picturesAreOfferedFirst() {
    const QStringList filters = pictureFileFilters().split(QStringLiteral(";;"));
    QCOMPARE(filters.size(), 2);
    QVERIFY2(filters[0].startsWith(QStringLiteral("图片 (")), qPrintable(filters[0]));
    for (const char* pattern : {"*.png", "*.jpg", "*.bmp"})
        QVERIFY2(filters[0].contains(QLatin1String(pattern)), pattern);
    QCOMPARE(filters[1], QStringLiteral("所有文件 (*)"));
}

QTEST_MAIN(FileChooserTest)
#include "file_chooser_test.moc"
