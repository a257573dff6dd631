#include "shell/history_place.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace plotdesk {
namespace {

const QString kFunctionFile = QStringLiteral("表达式记录.txt");
const QString kParametricFile = QStringLiteral("参数方程记录.txt");

QString& programFolderOverride() {
    static QString folder;
    return folder;
}

QString& userFolderOverride() {
    static QString folder;
    return folder;
}

bool isWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

}  // namespace

QString historyFolder(const QString& programFolder, const QString& userFolder) {
    if (isWritableFolder(programFolder)) return programFolder;
    QDir().mkpath(userFolder);
    return userFolder;
}

HistoryPaths historyPathsIn(const QString& folder) {
    const QDir dir(folder);
    return {dir.filePath(kFunctionFile), dir.filePath(kParametricFile)};
}

HistoryPlaces historyPlaces() {
    const QString programFolder =
        programFolderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : programFolderOverride();
    const QString userFolder = userFolderOverride().isEmpty()
                                   ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                   : userFolderOverride();
    const HistoryPaths write = historyPathsIn(historyFolder(programFolder, userFolder));
    const HistoryPaths program = historyPathsIn(programFolder);
    const auto source = [](const QString& written, const QString& inProgramFolder) {
        return QFileInfo::exists(written) ? written : inProgramFolder;
    };
    return {{source(write.functions, program.functions), source(write.parametric, program.parametric)}, write};
}

void setHistoryFolders(const QString& programFolder, const QString& userFolder) {
    programFolderOverride() = programFolder;
    userFolderOverride() = userFolder;
}

}  // namespace plotdesk
