#include "board/export_dialog.h"

#include "board/board_picture.h"
#include "board/picture_size.h"
#include "toolkit/file_chooser.h"
#include "toolkit/picture_canvas.h"
#include "toolkit/picture_writing.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <cmath>

namespace plotdesk {
namespace {

constexpr char kChooserFilters[] = "PNG 图片 (*.png);;JPEG 图片 (*.jpg *.jpeg);;SVG 矢量图 (*.svg);;PDF 文档 (*.pdf)";
// A name typed without a suffix is saved as PNG.
constexpr char kPlainSuffix[] = ".png";
constexpr int kFileFieldWidth = 320;

// The file last saved in this run, offered again next time.
QString& lastFile() {
    static QString file = QDir::home().filePath(QStringLiteral("曲线.png"));
    return file;
}

// The first suffix a chooser filter names: ".jpg" for "JPEG 图片 (*.jpg *.jpeg)".
QString filterSuffix(const QString& filter) {
    const qsizetype star = filter.indexOf(QLatin1String("*."));
    if (star < 0) return QString::fromLatin1(kPlainSuffix);
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), star);
    return filter.mid(star + 1, end - star - 1);
}

}  // namespace

ExportPictureDialog::ExportPictureDialog(const toolkit::PictureCanvas& picture, QWidget* parent)
    : QDialog(parent), picture_(picture) {
    setWindowTitle(QStringLiteral("导出图片"));
    auto* form = new QFormLayout(this);

    fileName = new QLineEdit(lastFile(), this);
    fileName->setMinimumWidth(kFileFieldWidth);
    auto* chooser = new QPushButton(QStringLiteral("浏览…"), this);
    chooser->setAutoDefault(false);
    connect(chooser, &QPushButton::clicked, this, [this] { browse(); });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName, 1);
    fileRow->addWidget(chooser);
    form->addRow(QStringLiteral("文件："), fileRow);

    auto pixels = [this](int value) {
        auto* box = new QSpinBox(this);
        box->setRange(1, toolkit::kLargestPictureSide);
        box->setValue(value);
        box->setSuffix(QStringLiteral(" 像素"));
        return box;
    };
    const QSize shown = picture.size();
    widthPixels = pixels(shown.width());
    heightPixels = pixels(shown.height());
    form->addRow(QStringLiteral("宽度："), widthPixels);
    form->addRow(QStringLiteral("高度："), heightPixels);
    keepProportions = new QCheckBox(QStringLiteral("保持宽高比例"), this);
    keepProportions->setChecked(true);
    form->addRow(QString(), keepProportions);
    const double heightPerWidth = shown.width() > 0 ? double(shown.height()) / shown.width() : 1;
    connect(widthPixels, &QSpinBox::valueChanged, this,
            [this, heightPerWidth] { follow(widthPixels, heightPixels, heightPerWidth); });
    connect(heightPixels, &QSpinBox::valueChanged, this,
            [this, heightPerWidth] { follow(heightPixels, widthPixels, 1 / heightPerWidth); });

    problem = new QLabel(this);
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    problem->hide();
    form->addRow(problem);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

// With proportions kept, the other side follows the one just changed.
void ExportPictureDialog::follow(QSpinBox* changed, QSpinBox* other, double otherPerChanged) {
    if (following_ || !keepProportions->isChecked()) return;
    following_ = true;
    other->setValue(std::max(1, int(std::lround(changed->value() * otherPerChanged))));
    following_ = false;
}

void ExportPictureDialog::browse() {
    // The chooser starts at the filter of the format the name already has.
    const QString suffix = QStringLiteral("*.") + QFileInfo(fileName->text()).suffix().toLower();
    const QStringList filters = QString::fromUtf8(kChooserFilters).split(QStringLiteral(";;"));
    QString filter = filters.first();
    for (const QString& offered : filters)
        if (offered.contains(suffix + QLatin1Char(' ')) || offered.contains(suffix + QLatin1Char(')')))
            filter = offered;
    // Qt's own chooser, its list in Chinese like the picture chooser's.
    QFileDialog dialog(this, windowTitle(), fileName->text(), QString::fromUtf8(kChooserFilters));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectNameFilter(filter);
    toolkit::useChineseFileList(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString chosen = dialog.selectedFiles().constFirst();
    filter = dialog.selectedNameFilter();
    if (toolkit::pictureFormatOf(chosen))
        chosenName_ = chosen;  // the chooser asked before naming an existing file
    else
        chosen += filterSuffix(filter);
    fileName->setText(chosen);
}

void ExportPictureDialog::save() {
    QString name = fileName->text().trimmed();
    if (name.isEmpty()) return showProblem(QStringLiteral("请填写文件名"));
    if (QFileInfo(name).suffix().isEmpty()) name += QString::fromLatin1(kPlainSuffix);
    if (QFileInfo(name).isRelative()) name = QDir::home().filePath(name);
    fileName->setText(name);

    const QSize size(widthPixels->value(), heightPixels->value());
    if (!pictureFits(size, 1))
        return showProblem(QStringLiteral("%1×%2 像素的图片太大：图片不超过 %3 MB（每像素 4 字节）")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(kLargestPictureBytes / (1024 * 1024)));
    if (!mayReplace(name)) return;
    if (const std::optional<QString> failure = saveBoardPicture(picture_, name, size)) return showProblem(*failure);
    lastFile() = name;
    accept();
}

// An existing file is kept unless the user agrees to replace it. A name the
// chooser gave with its suffix was asked about there; a suffix no format
// has is refused by the writer before any file is touched.
bool ExportPictureDialog::mayReplace(const QString& name) {
    if (name == chosenName_ || !toolkit::pictureFormatOf(name) || !QFileInfo::exists(name)) return true;
    const auto answer = QMessageBox::question(
        this, windowTitle(), QStringLiteral("“%1”已经存在。\n要替换它吗？").arg(QDir::toNativeSeparators(name)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void ExportPictureDialog::showProblem(const QString& text) {
    problem->setText(text);
    problem->show();
}

}  // namespace plotdesk
