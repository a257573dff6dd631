#include "shell/frmSplash.h"

#include <calculator/LinkLabel.h>
#include "settings/product.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "shell/Main_Form.h"
#include "shell/shell_pictures.h"
#include "toolkit/forms.h"
#include "toolkit/stay_on_top.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace plotdesk {
namespace {

constexpr int kCountdownSeconds = 3;
constexpr int kTickMilliseconds = 1000;
const QString kSecondsSuffix = QStringLiteral("  秒");

}  // namespace

frmSplash::frmSplash() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Curvolo"));
    setWindowFlag(Qt::FramelessWindowHint);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);

    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QPixmap::fromImage(drawLogo()));
    imgLogo->setFixedSize(kLogoSize);

    lblProductName = new QLabel(QStringLiteral("Curvolo "), Frame1);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont large = lblProductName->font();
    large.setPointSizeF(large.pointSizeF() * 2.2);
    large.setBold(true);
    lblProductName->setFont(large);

    lblVersion = new QLabel(QString::fromUtf8(product::kSplashVersion), Frame1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblWarning = new QLabel(QStringLiteral("2004-5-13"), Frame1);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    Label3 = new QLabel(Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label2 = new ombra::LinkLabel(QStringLiteral("3 秒后不能进入程序 请单击这里"), Frame1);
    // Every typed key belongs to the window (it opens the main window), so
    // the link is for the mouse only.
    Label2->setFocusPolicy(Qt::NoFocus);
    Label2->setObjectName(QStringLiteral("Label2"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMilliseconds);

    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(20);
    grid->addWidget(imgLogo, 0, 0, 4, 1, Qt::AlignTop);
    grid->setColumnMinimumWidth(1, 220);
    grid->addWidget(lblProductName, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblWarning, 2, 1);
    grid->addWidget(Label3, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(Label2, 4, 0, 1, 2, Qt::AlignLeft);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addWidget(Frame1);
    centreOnScreen();

    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    connect(Label2, &ombra::LinkLabel::clicked, this, &frmSplash::Label2_Click);
}

void frmSplash::Form_Load() {
    tickCount_ = 0;
    showCountdown();
    Timer1->start();
    toolkit::StayOnTop(this);
}

void frmSplash::Timer1_Timer() {
    ++tickCount_;
    showCountdown();
    if (kCountdownSeconds - tickCount_ <= 0) showMainWindowAndUnload();
}

void frmSplash::Form_KeyPress(const QString& typed) {
    if (typed.isEmpty()) return;
    showMainWindowAndUnload();
}

// Every key with a recovery value in the settings table, with one write of
// the store.
void frmSplash::Label2_Click() {
    SettingValues values;
    for (const SettingKey& row : settingKeys())
        if (row.recoveryText) values.append({QString::fromLatin1(row.name), QString::fromUtf8(row.recoveryText)});
    SaveSettings(values);
}

void frmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Take the keyboard, so that a typed key can end the wait.
    activateWindow();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    Form_KeyPress(event->text());
    QWidget::keyPressEvent(event);
}

void frmSplash::closeEvent(QCloseEvent* event) {
    // However the window goes, the main window comes up.
    Timer1->stop();
    toolkit::Forms<Main_Form>::get().show();
    QWidget::closeEvent(event);
}

void frmSplash::centreOnScreen() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::showCountdown() { Label3->setText(QString::number(kCountdownSeconds - tickCount_) + kSecondsSuffix); }

void frmSplash::showMainWindowAndUnload() {
    Timer1->stop();
    close();  // closeEvent shows the main window
}

}  // namespace plotdesk
