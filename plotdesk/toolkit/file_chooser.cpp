#include "toolkit/file_chooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QImageReader>
#include <QLocale>
#include <QStringList>

namespace plotdesk::toolkit {
namespace {

// The columns of QFileSystemModel after the name.
enum Column { kSize = 1, kType = 2, kModified = 3 };

QString sizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 字节").arg(bytes);
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// Passes the chooser's file list through, writing the size, type and date
// columns itself: a folder is a 文件夹, sizes are counted in 字节, dates
// are written as in China, and a file's type is its MIME comment in the
// program's (Chinese) default locale.
class ChineseFileList final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() == 0) return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
            case kSize: return info.isDir() ? QString() : sizeText(info.size());
            case kType:
                return info.isDir() ? QStringLiteral("文件夹")
                                    : QIdentityProxyModel::data(index, role);  // the MIME comment
            case kModified: return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
            default: return QIdentityProxyModel::data(index, role);
        }
    }
};

}  // namespace

void useChineseFileList(QFileDialog& dialog) { dialog.setProxyModel(new ChineseFileList(&dialog)); }

QString pictureFileFilters() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    patterns.removeDuplicates();
    return QStringLiteral("图片 (%1);;所有文件 (*)").arg(patterns.join(QLatin1Char(' ')));
}

std::optional<QString> choosePictureFile(const QString& current, QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("选择背景图片"), QFileInfo(current).absolutePath(), pictureFileFilters());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    useChineseFileList(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace plotdesk::toolkit
