#pragma once
// The start-up window: logo, name and version, a three-second countdown
// after which the main window comes up, and a link that resets the settings
// that can make the board unusable. It doubles as the About box.

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace ombra {
class LinkLabel;
}

namespace plotdesk {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();

    void Form_Load();
    void Timer1_Timer();
    // A key press the keyboard reports as a typed character (`typed` is
    // its text; empty for keys such as Shift or the arrows).
    void Form_KeyPress(const QString& typed);
    void Label2_Click();

    QFrame* Frame1;
    QLabel* imgLogo;
    QLabel* lblProductName;
    QLabel* lblVersion;
    QLabel* lblWarning;
    QLabel* Label3;
    ombra::LinkLabel* Label2;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void centreOnScreen();
    void showCountdown();
    void showMainWindowAndUnload();

    int tickCount_ = 0;
};

}  // namespace plotdesk
