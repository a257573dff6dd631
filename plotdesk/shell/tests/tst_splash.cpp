// The start-up window: its countdown, a typed key, the settings reset link,
// and its second use as the About box.

#include "shell_test_support.h"

#include <calculator/LinkLabel.h>
#include "settings/product.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace plotdesk;
using shelltest::Forms;
using shelltest::ShellEnvironment;

class SplashTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShellEnvironment> env;

    static frmSplash& showSplash() {
        frmSplash& splash = Forms<frmSplash>::get();
        splash.show();
        return splash;
    }

    static bool splashGone() {
        shelltest::flushDeletes();
        return Forms<frmSplash>::loaded() == nullptr;
    }

    static bool mainWindowShown() {
        const Main_Form* main = Forms<Main_Form>::loaded();
        return main && main->isVisible();
    }

private slots:
    void init() { env = std::make_unique<ShellEnvironment>(); }
    void cleanup() { env.reset(); }

    void countsDownThreeSecondsThenOpensTheMainWindow() {
        frmSplash& splash = showSplash();
        QCOMPARE(splash.Label3->text(), QStringLiteral("3  秒"));
        QVERIFY(splash.Timer1->isActive());
        QCOMPARE(splash.Timer1->interval(), 1000);
        QCOMPARE(splash.lblProductName->text(), QStringLiteral("Curvolo "));
        QCOMPARE(splash.lblVersion->text(), QString::fromUtf8(product::kSplashVersion));
        QCOMPARE(splash.lblWarning->text(), QStringLiteral("2004-5-13"));
        QCOMPARE(splash.imgLogo->pixmap().size(), QSize(119, 118));

        splash.Timer1_Timer();
        QCOMPARE(splash.Label3->text(), QStringLiteral("2  秒"));
        splash.Timer1_Timer();
        QCOMPARE(splash.Label3->text(), QStringLiteral("1  秒"));
        QVERIFY(!Forms<Main_Form>::loaded());
        splash.Timer1_Timer();
        QVERIFY(mainWindowShown());
        QVERIFY(splashGone());
    }

    void theRealTimerDrivesTheCountdown() {
        frmSplash& splash = showSplash();
        QTRY_COMPARE_WITH_TIMEOUT(splash.Label3->text(), QStringLiteral("2  秒"), 2500);
    }

    void aTypedCharacterOpensTheMainWindowAtOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("opens");
        QTest::newRow("letter") << int(Qt::Key_A) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << true;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
    }
    void aTypedCharacterOpensTheMainWindowAtOnce() {
        QFETCH(int, key);
        QFETCH(bool, opens);
        frmSplash& splash = showSplash();
        QTest::keyClick(&splash, Qt::Key(key));
        QCOMPARE(mainWindowShown(), opens);
        QCOMPARE(splashGone(), opens);
    }

    void closingTheSplashAlwaysBringsUpTheMainWindow() {
        showSplash().close();
        QVERIFY(mainWindowShown());
        QVERIFY(splashGone());
    }

    void theResetLinkWritesTheFourRecoveryValues() {
        SaveSetting(QStringLiteral("min_x"), QStringLiteral("0"));
        SaveSetting(QStringLiteral("max_x"), QStringLiteral("99"));
        frmSplash& splash = showSplash();
        splash.Timer1_Timer();
        QCOMPARE(splash.Label2->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(splash.Label2->font().underline());
        QCOMPARE(splash.Label2->text(), QStringLiteral("3 秒后不能进入程序 请单击这里"));

        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(splash.Label2, Qt::LeftButton);
            QCOMPARE(GetSetting(QStringLiteral("min_x")), QStringLiteral("2"));
            QCOMPARE(GetSetting(QStringLiteral("min_y")), QStringLiteral("2"));
            QCOMPARE(GetSetting(QStringLiteral("width")), QStringLiteral("2000"));
            QCOMPARE(GetSetting(QStringLiteral("_heiht")), QStringLiteral("2000"));
        }
        QCOMPARE(GetSetting(QStringLiteral("max_x")), QStringLiteral("99"));
        QCOMPARE(ShellEnvironment::storedKeys().size(), 5);
        // The window stays and the countdown goes on from where it was.
        QVERIFY(Forms<frmSplash>::loaded());
        QVERIFY(splash.Timer1->isActive());
        QCOMPARE(splash.Label3->text(), QStringLiteral("2  秒"));
        splash.Timer1_Timer();
        QCOMPARE(splash.Label3->text(), QStringLiteral("1  秒"));
    }

    void theBoardLoadedAfterTheResetUsesTheRecoveredValues() {
        SaveSetting(QStringLiteral("min_x"), QStringLiteral("0"));
        frmSplash& splash = showSplash();
        QTest::mouseClick(splash.Label2, Qt::LeftButton);
        for (int tick = 0; tick < 3; ++tick) Forms<frmSplash>::loaded()->Timer1_Timer();
        QVERIFY(mainWindowShown());
        QCOMPARE(Settings().min_x, 2);
    }

    void theAboutBoxCountsFromThreeEachTime() {
        Forms<Main_Form>::get().show();
        for (int opening = 0; opening < 3; ++opening) {
            Forms<Main_Form>::loaded()->help3->trigger();
            frmSplash* about = Forms<frmSplash>::loaded();
            QVERIFY(about);
            QVERIFY(about->isVisible());
            QCOMPARE(about->Label3->text(), QStringLiteral("3  秒"));
            about->Timer1_Timer();
            about->Timer1_Timer();
            about->Timer1_Timer();
            QVERIFY(splashGone());
            QVERIFY(mainWindowShown());
        }
    }
};

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"
