// The settings store, the key table and the settings record: defaults on an
// empty store, rounding, unreadable values, where and how values are kept.

#include "settings/settings_store.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"
#include "toolkit/tests/file_faults.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <memory>
#include <optional>
#include <set>
#include <string>

using namespace plotdesk;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every field set to a value no load would give, to see which ones a load replaces.
void scribbleOverRecord() {
    for (const SettingKey& row : settingKeys())
        if (row.field) Settings().*row.field = 12345;
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void recordStartsAtZero();
    void emptyStoreGivesTheDefaultsAndWritesNothing();
    void loadRoundsHalfToEven_data();
    void loadRoundsHalfToEven();
    void unreadableValueGivesItsDefaultAndLoadingGoesOn_data();
    void unreadableValueGivesItsDefaultAndLoadingGoesOn();
    void loadingWritesNothing();
    void storeIsAnIniFileWithASettingsGroup();
    void getFallsBackOnlyForAbsentKeys();
    void textsSurviveTheFileUnchanged_data();
    void textsSurviveTheFileUnchanged();
    void recordFieldsAreFoundByTheirKeys();
    void unwritableStoreIsReported();
    void aStoreThatCannotBeWrittenStaysAsItWas_data();
    void aStoreThatCannotBeWrittenStaysAsItWas();
    void aFifoAmongTheSettingsFilesIsNeverRead_data();
    void aFifoAmongTheSettingsFilesIsNeverRead();
    void anOversizedStoreIsNeitherReadNorReplaced_data();
    void anOversizedStoreIsNeitherReadNorReplaced();
    void keyTableIsComplete();
    void eachKeyLoadsIntoItsOwnField();

private:
    std::unique_ptr<QTemporaryDir> home;
};

// Each test gets an empty store of its own.
void SettingsStoreTest::init() {
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home->path());
}

void SettingsStoreTest::recordStartsAtZero() {
    for (const SettingKey& row : settingKeys())
        if (row.field) QCOMPARE(Settings().*row.field, 0);
}

void SettingsStoreTest::emptyStoreGivesTheDefaultsAndWritesNothing() {
    scribbleOverRecord();
    LoadSettings();
    const SettingsRecord& r = Settings();
    QCOMPARE(r.left, 0);
    QCOMPARE(r.top, 0);
    QCOMPARE(r.width, 2000);
    QCOMPARE(r._heiht, 2000);
    QCOMPARE(r.max_x, 2000);
    QCOMPARE(r.max_y, 2000);
    QCOMPARE(r.max_l, -1000);
    QCOMPARE(r.max_t, -1000);
    QCOMPARE(r.min_x, 100);
    QCOMPARE(r.min_y, 100);
    QCOMPARE(r.start, -100);
    QCOMPARE(r.end, 100);
    QCOMPARE(r.step, 2);
    QCOMPARE(r.bcolor, 16777215);
    QCOMPARE(r.fcolor, 8388608);
    QCOMPARE(r.lcolor, 16711680);
    QVERIFY(!QFile::exists(settingsFilePath()));
    QVERIFY(QDir(home->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void SettingsStoreTest::loadRoundsHalfToEven_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("step");
    QTest::newRow("2.5") << "2.5" << 2;
    QTest::newRow("3.5") << "3.5" << 4;
    QTest::newRow("-2.5") << "-2.5" << -2;
    QTest::newRow("2.6") << "2.6" << 3;
    QTest::newRow("blanks and exponent") << " 5e-1 " << 0;
    QTest::newRow("plain") << "7" << 7;
}

void SettingsStoreTest::loadRoundsHalfToEven() {
    QFETCH(QString, stored);
    QFETCH(int, step);
    SaveSetting(QString::fromLatin1(key::step), stored);
    LoadSettings();
    QCOMPARE(Settings().step, step);
}

void SettingsStoreTest::unreadableValueGivesItsDefaultAndLoadingGoesOn_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("not a number") << "abc";
    QTest::newRow("beyond 32 bits") << "1e20";
    QTest::newRow("just beyond 32 bits") << "2147483648";
    QTest::newRow("empty") << "";
    QTest::newRow("trailing text") << "100px";
}

void SettingsStoreTest::unreadableValueGivesItsDefaultAndLoadingGoesOn() {
    QFETCH(QString, stored);
    SaveSetting(QString::fromLatin1(key::left), QStringLiteral("15"));
    SaveSetting(QString::fromLatin1(key::min_x), stored);
    SaveSetting(QString::fromLatin1(key::min_y), QStringLiteral("50"));
    SaveSetting(QString::fromLatin1(key::max_t), QStringLiteral("-700"));
    scribbleOverRecord();
    LoadSettings();
    QCOMPARE(Settings().left, 15);    // before the bad key
    QCOMPARE(Settings().min_x, 100);  // the bad key: its default
    QCOMPARE(Settings().min_y, 50);   // after it: still loaded
    QCOMPARE(Settings().start, -100);
    QCOMPARE(Settings().lcolor, 16711680);
    QCOMPARE(Settings().max_t, -700);                               // the last key
    QCOMPARE(GetSetting(QString::fromLatin1(key::min_x)), stored);  // the stored text is left alone
}

void SettingsStoreTest::loadingWritesNothing() {
    SaveSetting(QString::fromLatin1(key::width), QStringLiteral("3000"));
    const QByteArray before = fileBytes(settingsFilePath());
    LoadSettings();
    LoadSettings();
    QCOMPARE(fileBytes(settingsFilePath()), before);
    QVERIFY(!HasSetting(QString::fromLatin1(key::top)));
    QCOMPARE(Settings().width, 3000);
}

void SettingsStoreTest::storeIsAnIniFileWithASettingsGroup() {
    SaveSetting(QString::fromLatin1(key::width), QStringLiteral("3000"));
    QCOMPARE(settingsFilePath(), home->filePath(QStringLiteral("Curvolo/Curvolo.ini")));
    // On disk at once, not at exit.
    const QByteArray text = fileBytes(settingsFilePath());
    QVERIFY2(text.contains("[Settings]"), text.constData());
    QVERIFY2(text.contains("width=3000"), text.constData());
    // Any INI reader finds the value under the group.
    QSettings reader(settingsFilePath(), QSettings::IniFormat);
    QCOMPARE(reader.value(QStringLiteral("Settings/width")).toString(), QStringLiteral("3000"));
}

void SettingsStoreTest::getFallsBackOnlyForAbsentKeys() {
    const QString name = QString::fromLatin1(key::backpicture);
    QVERIFY(!HasSetting(name));
    QCOMPARE(GetSetting(name, QStringLiteral("fallback")), QStringLiteral("fallback"));
    QVERIFY(GetSetting(name).isNull());
    SaveSetting(name, QString());
    QVERIFY(HasSetting(name));
    QCOMPARE(GetSetting(name, QStringLiteral("fallback")), QString());
    SaveSetting(name, QStringLiteral("/tmp/a.png"));
    QCOMPARE(GetSetting(name, QStringLiteral("fallback")), QStringLiteral("/tmp/a.png"));
}

void SettingsStoreTest::textsSurviveTheFileUnchanged_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese path") << QStringLiteral("/home/用户/背景 图片.png");
    QTest::newRow("comma") << QStringLiteral("a,b");
    QTest::newRow("equals and semicolon") << QStringLiteral("x=1;y=2");
    QTest::newRow("quotes and backslash") << QStringLiteral("C:\\pic\\\"q\".bmp");
    QTest::newRow("surrounding blanks") << QStringLiteral("  1.5  ");
    QTest::newRow("brackets") << QStringLiteral("[Settings]");
    QTest::newRow("at sign") << QStringLiteral("@Variant(x)");
}

void SettingsStoreTest::textsSurviveTheFileUnchanged() {
    QFETCH(QString, text);
    SaveSetting(QString::fromLatin1(key::backpicture), text);
    QCOMPARE(GetSetting(QString::fromLatin1(key::backpicture)), text);
    // Read back from the file by a fresh reader as well.
    QSettings reader(settingsFilePath(), QSettings::IniFormat);
    QCOMPARE(reader.value(QStringLiteral("Settings/backpicture")).toString(), text);
}

void SettingsStoreTest::recordFieldsAreFoundByTheirKeys() {
    QCOMPARE(recordField(Settings(), key::backpicture), nullptr);  // stored, but no record field
    QCOMPARE(recordField(Settings(), nullptr), nullptr);
    QCOMPARE(recordField(Settings(), "no such key"), nullptr);
    QCOMPARE(recordField(Settings(), key::_heiht), &Settings()._heiht);
}

void SettingsStoreTest::unwritableStoreIsReported() {
    QVERIFY(SaveSetting(QString::fromLatin1(key::width), QStringLiteral("3000")));
    // The store's folder cannot be created where a plain file stands.
    QFile blocker(home->filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, blocker.fileName());
    QVERIFY(!SaveSetting(QString::fromLatin1(key::width), QStringLiteral("4000")));
    QCOMPARE(GetSetting(QString::fromLatin1(key::width), QStringLiteral("absent")), QStringLiteral("absent"));
}

void SettingsStoreTest::aStoreThatCannotBeWrittenStaysAsItWas_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("full disk") << "full disk";
    QTest::newRow("file-size limit") << "file-size limit";
    QTest::newRow("read-only folder") << "read-only folder";
}

void SettingsStoreTest::aStoreThatCannotBeWrittenStaysAsItWas() {
    QFETCH(QString, fault);
    const QString folder = QFileInfo(settingsFilePath()).absolutePath();
    std::optional<filefaults::SmallDisk> disk;
    if (fault == QLatin1String("full disk")) {
        QVERIFY(QDir().mkpath(folder));
        disk.emplace(folder);
        if (!disk->mounted())
            QSKIP("a small file system can be mounted only by root; the file-size limit row stands in");
    }
    QVERIFY(SaveSetting(QString::fromLatin1(key::backpicture), QString(600, QLatin1Char('p'))));
    QVERIFY(SaveSetting(QString::fromLatin1(key::width), QStringLiteral("3000")));
    const QByteArray before = fileBytes(settingsFilePath());

    std::optional<filefaults::FileSizeLimit> limit;
    std::optional<filefaults::WithoutRootRights> unprivileged;
    if (disk) {
        disk->fill();
    } else if (fault == QLatin1String("file-size limit")) {
        // Room for the store as it is, not for the longer value.
        limit.emplace(before.size());
    } else {
        const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(home->path(), readable));
        QVERIFY(QFile::setPermissions(folder, readable));
        unprivileged.emplace();
        if (!unprivileged->active() || QFileInfo(folder).isWritable()) {
            unprivileged.reset();
            QSKIP("the store's folder stays writable for this user");
        }
    }
    const bool saved = SaveSetting(QString::fromLatin1(key::width), QStringLiteral("123456789"));
    limit.reset();
    unprivileged.reset();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(home->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (disk) QFile::remove(folder + QStringLiteral("/.filler"));

    QVERIFY(!saved);
    QCOMPARE(fileBytes(settingsFilePath()), before);
    QCOMPARE(GetSetting(QString::fromLatin1(key::width)), QStringLiteral("3000"));
    // Nothing half-written is left beside it.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Curvolo.ini")});
}

// A FIFO would keep any reader waiting for ever. The store itself reads as
// empty and is never replaced; the organisation-wide file beside the
// store's folder, which QSettings would read too, is not the store's.
void SettingsStoreTest::aFifoAmongTheSettingsFilesIsNeverRead_data() {
    QTest::addColumn<QString>("fifo");
    QTest::addColumn<bool>("storeUsable");
    QTest::newRow("the store") << QStringLiteral("Curvolo/Curvolo.ini") << false;
    QTest::newRow("the organisation-wide file") << QStringLiteral("Curvolo.ini") << true;
}

void SettingsStoreTest::aFifoAmongTheSettingsFilesIsNeverRead() {
    QFETCH(QString, fifo);
    QFETCH(bool, storeUsable);
    const QString fifoPath = home->filePath(fifo);
    QVERIFY(QDir().mkpath(QFileInfo(fifoPath).absolutePath()));
    QCOMPARE(::mkfifo(QFile::encodeName(fifoPath).constData(), 0600), 0);
    std::optional<filefaults::HangGuard> guard(std::in_place, 10);
    const QString width = GetSetting(QString::fromLatin1(key::width), QStringLiteral("absent"));
    const bool has = HasSetting(QString::fromLatin1(key::width));
    LoadSettings();
    const bool saved = SaveSetting(QString::fromLatin1(key::width), QStringLiteral("3000"));
    guard.reset();
    QCOMPARE(width, QStringLiteral("absent"));
    QVERIFY(!has);
    QCOMPARE(Settings().width, 2000);
    QCOMPARE(saved, storeUsable);
    QVERIFY(QFileInfo(fifoPath).exists() && !QFileInfo(fifoPath).isFile());
}

// A store far larger than the program's own would take seconds to read at
// every start: beyond 1 MB it reads as empty and is never replaced.
void SettingsStoreTest::anOversizedStoreIsNeitherReadNorReplaced_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("usable");
    QTest::newRow("1 MB") << qint64(1024 * 1024) << true;
    QTest::newRow("a byte more") << qint64(1024 * 1024 + 1) << false;
}

void SettingsStoreTest::anOversizedStoreIsNeitherReadNorReplaced() {
    QFETCH(qint64, size);
    QFETCH(bool, usable);
    QByteArray text = "[Settings]\nwidth=3000\npadding=";
    text += QByteArray(size - text.size() - 1, 'p') + '\n';
    QVERIFY(QDir().mkpath(QFileInfo(settingsFilePath()).absolutePath()));
    QFile store(settingsFilePath());
    QVERIFY(store.open(QIODevice::WriteOnly) && store.write(text) == size);
    store.close();

    QCOMPARE(GetSetting(QString::fromLatin1(key::width), QStringLiteral("absent")),
             usable ? QStringLiteral("3000") : QStringLiteral("absent"));
    LoadSettings();
    QCOMPARE(Settings().width, usable ? 3000 : 2000);
    QCOMPARE(SaveSetting(QString::fromLatin1(key::_heiht), QStringLiteral("1500")), usable);
    if (!usable) QCOMPARE(fileBytes(settingsFilePath()), text);
}

void SettingsStoreTest::keyTableIsComplete() {
    std::set<std::string> names;
    std::set<const int32_t*> fields;
    for (const SettingKey& row : settingKeys()) {
        QVERIFY2(names.insert(row.name).second, row.name);
        QCOMPARE(findSettingKey(row.name), &row);
        if (row.defaultText && row.form != StoredForm::PathText && row.form != StoredForm::SingleText)
            QVERIFY2(toInt32HalfEven(QString::fromLatin1(row.defaultText)), row.name);
        if (!row.field) continue;
        QVERIFY2(row.defaultText, row.name);
        QVERIFY(row.form == StoredForm::IntegerText || row.form == StoredForm::ColourText);
        QVERIFY2(fields.insert(&(Settings().*row.field)).second, row.name);
    }
    QCOMPARE(fields.size(), sizeof(SettingsRecord) / sizeof(int32_t));  // every field exactly once
    QCOMPARE(findSettingKey("heiht"), nullptr);
    QCOMPARE(findSettingKey(nullptr), nullptr);
}

void SettingsStoreTest::eachKeyLoadsIntoItsOwnField() {
    int value = 0;
    for (const SettingKey& row : settingKeys())
        if (row.field) SaveSetting(QString::fromLatin1(row.name), QString::number(++value));
    LoadSettings();
    value = 0;
    for (const SettingKey& row : settingKeys())
        if (row.field) QCOMPARE(*recordField(Settings(), row.name), ++value);
    // Spot checks that the rows name the fields their keys are named after.
    QCOMPARE(Settings()._heiht, GetSetting(QString::fromLatin1(key::_heiht)).toInt());
    QCOMPARE(Settings().max_t, GetSetting(QString::fromLatin1(key::max_t)).toInt());
    QCOMPARE(Settings().max_l, GetSetting(QString::fromLatin1(key::max_l)).toInt());
    QCOMPARE(Settings().lcolor, GetSetting(QString::fromLatin1(key::lcolor)).toInt());
}

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
