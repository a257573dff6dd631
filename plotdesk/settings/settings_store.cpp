#include "settings/settings_store.h"

#include "toolkit/atomic_file.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace plotdesk {
namespace {

using StoredValues = QMap<QString, QVariant>;

QString groupKey(const QString& key) { return QString::fromLatin1(kSettingsSection) + QLatin1Char('/') + key; }

// The store's path: "Curvolo/Curvolo.ini" in the user's settings folder.
// QSettings reads its files as soon as it is made, and reading a FIFO would
// wait for ever, so the folder is learnt from a settings object whose own
// file is never there; for the same reason the store is opened as that one
// file, without the organisation-wide "Curvolo.ini" QSettings would also read.
QString storePath() {
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope, QStringLiteral(".plotdesk-folder-probe"),
                          QString());
    const QString name = QString::fromLatin1(kSettingsApplication);
    return QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/') + name + QLatin1Char('/') + name +
           QStringLiteral(".ini");
}

// The program's own store holds a few dozen short values, under 2 KB. One
// far larger is not its own, and QSettings would take seconds and gigabytes
// to read it.
constexpr qint64 kLargestStore = 1024 * 1024;

// Why the store found by `info` is not to be opened, or nothing when it may
// be. A FIFO, a device or a folder would make QSettings wait for ever or read
// without end, and an oversized file for long. Such a store reads as empty,
// which gives every key its default, and is never replaced; standard error
// says so once for each reason.
std::optional<QString> refusal(const QString& path, const struct stat& info) {
    std::optional<QString> reason;
    if (!S_ISREG(info.st_mode))
        reason = QStringLiteral("不是普通文件");
    else if (info.st_size > kLargestStore)
        reason = QStringLiteral("文件大于 %1 MB，不像本程序的设置").arg(kLargestStore / (1024 * 1024));
    if (!reason) return std::nullopt;
    static QSet<QString> noted;
    const QString note = QStringLiteral("不读取设置文件 %1：%2；各项设置取默认值，这个文件也不会被改写")
                             .arg(QDir::toNativeSeparators(path), *reason);
    if (!noted.contains(note)) {
        noted.insert(note);
        qWarning().noquote() << note;
    }
    return reason;
}

std::optional<QString> storeRefusal() {
    const QString path = storePath();
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return refusal(path, info);
}

StoredValues valuesIn(const QSettings& settings) {
    StoredValues values;
    for (const QString& key : settings.allKeys()) values.insert(key, settings.value(key));
    return values;
}

// One version of the store file: a save puts a new file in place, and any
// change changes its size or modification time.
struct StoreVersion {
    QString path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const StoreVersion& other) const {
        return path == other.path && device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

// The values in the store; none when it is absent or refused. Each version
// of the file is read once: QSettings would read a store of many keys again
// for every value asked, and the start asks for dozens.
const StoredValues& storedValues() {
    static const StoredValues none;
    static std::optional<std::pair<StoreVersion, StoredValues>> lastRead;
    const QString path = storePath();
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || refusal(path, info)) return none;
    const StoreVersion version{path, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    if (!lastRead || !(lastRead->first == version))
        lastRead.emplace(version, valuesIn(QSettings(path, QSettings::IniFormat)));
    return lastRead->second;
}

// The store's text holding `values`, in the INI form QSettings reads.
// QSettings writes it into a scratch file beside the store. It does not
// notice a write that falls short (a full disk, a file-size limit), so the
// scratch file is read back and must give exactly `values`; it is read under
// another name, since QSettings would answer from what it remembers of the
// file it wrote.
std::optional<QByteArray> storeText(const QString& folder, const StoredValues& values) {
    QTemporaryFile scratch(folder + QStringLiteral("/.Curvolo-XXXXXX.ini"));
    if (!scratch.open()) return std::nullopt;
    const QString writtenPath = scratch.fileName();
    scratch.close();
    {
        QSettings writer(writtenPath, QSettings::IniFormat);
        for (auto entry = values.cbegin(); entry != values.cend(); ++entry) writer.setValue(entry.key(), entry.value());
        writer.sync();
        if (writer.status() != QSettings::NoError) return std::nullopt;
    }
    const QString checkedPath = writtenPath + QStringLiteral(".check");
    if (!QFile::rename(writtenPath, checkedPath)) return std::nullopt;
    std::optional<QByteArray> text;
    {
        const QSettings reader(checkedPath, QSettings::IniFormat);
        QFile written(checkedPath);
        if (reader.status() == QSettings::NoError && valuesIn(reader) == values && written.open(QIODevice::ReadOnly))
            text = written.readAll();
    }
    QFile::remove(checkedPath);
    return text;
}

// QSettings keeps what it read of a file and reads it again only when the
// file's size or modification time (in milliseconds) changed. A store
// replaced within the millisecond of its previous write, with the same size,
// would be read from that memory: its time moves on by a millisecond.
void makeReplacementVisible(const QByteArray& path, const struct stat& before) {
    struct stat after {};
    if (::stat(path.constData(), &after) != 0) return;
    const auto milliseconds = [](const timespec& time) { return time.tv_sec * 1000 + time.tv_nsec / 1000000; };
    if (milliseconds(after.st_mtim) != milliseconds(before.st_mtim)) return;
    timespec times[2] = {after.st_atim, before.st_mtim};
    times[1].tv_nsec += 1000000;
    if (times[1].tv_nsec >= 1000000000) {
        times[1].tv_nsec -= 1000000000;
        ++times[1].tv_sec;
    }
    ::utimensat(AT_FDCWD, path.constData(), times, 0);
}

}  // namespace

QString GetSetting(const QString& key, const QString& defaultValue) {
    const StoredValues& values = storedValues();
    const auto value = values.constFind(groupKey(key));
    return value != values.cend() ? value->toString() : defaultValue;
}

bool SaveSetting(const QString& key, const QString& value) { return !SaveSettings({{key, value}}); }

std::optional<QString> SaveSettings(const SettingValues& values) {
    if (std::optional<QString> refusal = storeRefusal()) return refusal;
    const QString path = storePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) return QStringLiteral("无法建立文件夹 %1").arg(QDir::toNativeSeparators(folder));

    StoredValues wanted = storedValues();
    for (const auto& [key, value] : values) wanted.insert(groupKey(key), value);
    const std::optional<QByteArray> text = storeText(folder, wanted);
    if (!text) return QStringLiteral("无法完整写入（磁盘已满、文件大小受限或没有写入权限）");

    const QByteArray encodedPath = QFile::encodeName(path);
    struct stat before {};
    const bool existed = ::stat(encodedPath.constData(), &before) == 0;
    if (auto problem = toolkit::replaceFileContents(path, *text)) return problem;
    if (existed) makeReplacementVisible(encodedPath, before);
    return std::nullopt;
}

bool HasSetting(const QString& key) { return storedValues().contains(groupKey(key)); }

QString settingsFilePath() { return storePath(); }

}  // namespace plotdesk
