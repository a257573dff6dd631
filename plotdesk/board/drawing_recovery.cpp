#include "board/drawing_recovery.h"

#include "board/board_document.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

namespace plotdesk {
namespace {

constexpr char kFilePattern[] = "drawing-*.curvolo";

QString lockPathOf(const QString& file) { return file.chopped(int(sizeof ".curvolo") - 1) + QStringLiteral(".lock"); }

// A lock held only while its program lives: never taken as stale for its
// age, only when the program that took it is gone.
std::unique_ptr<QLockFile> lockFor(const QString& file) {
    auto lock = std::make_unique<QLockFile>(lockPathOf(file));
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

QString DrawingRecovery::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

DrawingRecovery::DrawingRecovery(const QString& folder, std::function<BoardState()> drawing, int writeDelayMs,
                                 QObject* parent)
    : QObject(parent), folder_(folder), drawing_(std::move(drawing)), timer_(new QTimer(this)) {
    QDir().mkpath(folder_);
    // The process and the moment it started name the file, so a new run
    // never takes the name of a file an earlier one left.
    file_ = QDir(folder_).filePath(QStringLiteral("drawing-%1-%2.curvolo")
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QDateTime::currentMSecsSinceEpoch()));
    lock_ = lockFor(file_);
    lock_->tryLock(0);
    timer_->setSingleShot(true);
    timer_->setInterval(writeDelayMs);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (const std::optional<QString> problem = writeNow())
            qWarning().noquote() << QStringLiteral("无法写入画板的恢复文件 %1：%2").arg(file_, *problem);
    });
}

DrawingRecovery::~DrawingRecovery() = default;

void DrawingRecovery::drawingChanged() {
    if (!timer_->isActive()) timer_->start();
}

std::optional<QString> DrawingRecovery::writeNow() {
    timer_->stop();
    return writeDocument(file_, drawing_());
}

void DrawingRecovery::discard() {
    timer_->stop();
    QFile::remove(file_);
}

std::optional<DrawingRecovery::LeftDrawing> DrawingRecovery::leftDrawing() {
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QString::fromLatin1(kFilePattern)}, QDir::Files, QDir::Time);
    for (const QFileInfo& info : files) {
        const QString path = info.absoluteFilePath();
        if (path == QFileInfo(file_).absoluteFilePath() || path == leftFile_) continue;
        std::unique_ptr<QLockFile> lock = lockFor(path);
        // A living program holds its own file's lock.
        if (!lock->tryLock(0)) continue;
        auto read = readDocument(path);
        // A file this program cannot read (one a newer version left) stays
        // for a program that can.
        if (!std::holds_alternative<BoardState>(read)) continue;
        leftFile_ = path;
        leftLock_ = std::move(lock);
        return LeftDrawing{info.lastModified(), std::get<BoardState>(std::move(read))};
    }
    return std::nullopt;
}

void DrawingRecovery::forgetLeftDrawing() {
    if (leftFile_.isEmpty()) return;
    QFile::remove(leftFile_);
    leftLock_.reset();  // unlocks, removing the lock file
    leftFile_.clear();
}

}  // namespace plotdesk
