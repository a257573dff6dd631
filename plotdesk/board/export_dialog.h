#pragma once
// The board's "导出图片" dialog: a file whose suffix picks the format (the
// chooser offers PNG, JPEG, SVG and PDF) and a size in pixels, the picture's
// own by default. Saving writes what the board shows at that size; when it
// cannot, the dialog stays open and says why. A typed name of a file that
// exists is replaced only after the user agrees, as the chooser asks too.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace plotdesk {
namespace toolkit {
class PictureCanvas;
}

class ExportPictureDialog : public QDialog {
    Q_OBJECT
public:
    ExportPictureDialog(const toolkit::PictureCanvas& picture, QWidget* parent);

    // Writes the picture; closes when it is written, otherwise shows why.
    void save();
    // Asks for the file with Qt's own save chooser.
    void browse();

    QLineEdit* fileName;
    QSpinBox* widthPixels;
    QSpinBox* heightPixels;
    QCheckBox* keepProportions;
    QLabel* problem;  // why the last save failed; hidden until one does

private:
    void follow(QSpinBox* changed, QSpinBox* other, double otherPerChanged);
    void showProblem(const QString& text);
    bool mayReplace(const QString& name);

    const toolkit::PictureCanvas& picture_;
    bool following_ = false;
    QString chosenName_;  // the chooser's answer, which it confirmed already
};

}  // namespace plotdesk
