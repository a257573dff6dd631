// The settings dialog: loading from the record and the store, the change
// rules, what "应用", "确定" and "取消" leave behind, refused fields, the
// choosers and the style previews.

#include "shell_test_support.h"

#include "board/mForm1.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"
#include "shell/board_window.h"
#include "toolkit/chinese_translation.h"
#include "toolkit/color_word.h"
#include "toolkit/image_control.h"
#include "toolkit/tests/file_faults.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <functional>

using namespace plotdesk;
using shelltest::Forms;
using shelltest::ShellEnvironment;

class SettingsDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShellEnvironment> env;

    // The dialog as the main window's "选项" opens it, after the board loaded.
    static Form2& openDialog() {
        Forms<mForm1>::get();
        Form2& dialog = Forms<Form2>::get();
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) qWarning("settings dialog not exposed");
        return dialog;
    }

    // A radio button reacts only on its indicator and caption.
    static QPoint indicatorOf(const QWidget* option) { return QPoint(6, option->height() / 2); }

    static mForm1& board() { return Forms<mForm1>::get(); }

    static void store(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [key, value] : values) SaveSetting(QString::fromLatin1(key), QString::fromUtf8(value));
    }

    // Runs `open`, which opens a modal dialog, and gives back that dialog's
    // title and button texts; the dialog is cancelled.
    static QStringList textsOfModalDialog(const std::function<void()>& open) {
        QStringList texts;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!modal) return;
            texts << modal->windowTitle();
            for (const QAbstractButton* button : modal->findChildren<QAbstractButton*>())
                if (button->isVisible()) texts << button->text();
            modal->reject();
        });
        poll.start(20);
        open();
        return texts;
    }

    static bool dialogClosed() {
        shelltest::flushDeletes();
        return Forms<Form2>::loaded() == nullptr;
    }

private slots:
    void init() {
        env = std::make_unique<ShellEnvironment>();
        Form2::setChoosers([](const QColor&, QWidget*) { return std::optional<QColor>(); },
                           [](const QString&, QWidget*) { return std::optional<QString>(); });
    }
    void cleanup() { env.reset(); }

    void loadingShowsTheRecordAndTheStore() {
        store({{"max_x", "2001"},
               {"max_y", "3000"},
               {"max_l", "-700"},
               {"min_x", "50"},
               {"start", "-30"},
               {"end", "40"},
               {"step", "3"},
               {"width", "6000"},
               {"bcolor", "255"},
               {"backpicture", "/tmp/pic.png"}});
        Form2& dialog = openDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("设置"));
        QCOMPARE(dialog.横坐标结束刻度->text(), QStringLiteral("1000.5"));
        QCOMPARE(dialog.结束刻度->text(), QStringLiteral("1500"));
        QCOMPARE(dialog.横坐标起始刻度->text(), QStringLiteral("-700"));
        QCOMPARE(dialog.起始刻度->text(), QStringLiteral("-1000"));
        QCOMPARE(dialog.x最小刻度值->text(), QStringLiteral("50"));
        QCOMPARE(dialog.y最小刻度值->text(), QStringLiteral("100"));
        QCOMPARE(dialog.画板长度->text(), QStringLiteral("2000"));  // above 5500
        QCOMPARE(dialog.画板高度->text(), QStringLiteral("2000"));
        QCOMPARE(dialog.初始值->text(), QStringLiteral("-30"));
        QCOMPARE(dialog.最大值->text(), QStringLiteral("40"));
        QCOMPARE(dialog.Text1->text(), QStringLiteral("3"));
        QCOMPARE(dialog.Text4->text(), QStringLiteral("/tmp/pic.png"));
        QCOMPARE(Form2::swatchColour(dialog.背景颜色), 255);
        QCOMPARE(Form2::swatchColour(dialog.网格颜色), 16711680);
        QVERIFY(dialog.Option1->isChecked());
        QVERIFY(!dialog.Label17->text().isEmpty());
        // The board's sampling fields follow the dialog's.
        QCOMPARE(board().start->text(), QStringLiteral("-30"));
        QCOMPARE(board().end->text(), QStringLiteral("40"));
        QCOMPARE(board().step1->text(), QStringLiteral("3"));
    }

    void theBoardsRangeFollowsEvenWhenTheDialogsTextIsUnchanged() {
        // -10, 10 and 2 are the dialog's own initial texts.
        store({{"start", "-10"}, {"end", "10"}, {"step", "2"}});
        openDialog();
        QCOMPARE(board().start->text(), QStringLiteral("-10"));
        QCOMPARE(board().end->text(), QStringLiteral("10"));
        QCOMPARE(board().step1->text(), QStringLiteral("2"));
    }

    void penWidthsShowWhatIsStored() {
        store({{"xiankuan1", "3"}, {"xiankuan2", "9"}});
        Form2& dialog = openDialog();
        QCOMPARE(dialog.Text2->text(), QStringLiteral("3"));
        QCOMPARE(dialog.Text3->text(), QStringLiteral("6"));
    }

    void changeRulesBoundTheFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("grid width above 6") << "Text2"
                                            << "8"
                                            << "6";
        QTest::newRow("grid width 6") << "Text2"
                                      << "6"
                                      << "6";
        QTest::newRow("grid width below 1") << "Text2"
                                            << "0"
                                            << "1";
        QTest::newRow("grid width fraction") << "Text2"
                                             << "0.5"
                                             << "1";
        QTest::newRow("typed over in steps") << "Text2"
                                             << "1.5"
                                             << "1.5";
        QTest::newRow("line width 0") << "Text3"
                                      << "0"
                                      << "1";
        QTest::newRow("line width 7") << "Text3"
                                      << "7"
                                      << "6";
        QTest::newRow("line width 3") << "Text3"
                                      << "3"
                                      << "3";
        QTest::newRow("length 6000") << "画板长度"
                                     << "6000"
                                     << "2000";
        QTest::newRow("length 5500") << "画板长度"
                                     << "5500"
                                     << "5500";
        QTest::newRow("length 50") << "画板长度"
                                   << "50"
                                   << "50";
        QTest::newRow("height 5501") << "画板高度"
                                     << "5501"
                                     << "2000";
        QTest::newRow("not a number left for the user") << "Text2"
                                                        << "abc"
                                                        << "abc";
    }
    void changeRulesBoundTheFields() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Form2& dialog = openDialog();
        auto* edit = dialog.findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->setText(typed);
        QCOMPARE(edit->text(), shown);
    }

    void samplingFieldsReachTheBoardAtOnceEvenWhenCancelled() {
        Form2& dialog = openDialog();
        dialog.初始值->selectAll();
        QTest::keyClicks(dialog.初始值, "-55");
        dialog.最大值->selectAll();
        QTest::keyClicks(dialog.最大值, "77");
        dialog.Text1->selectAll();
        QTest::keyClicks(dialog.Text1, "5");
        QCOMPARE(board().start->text(), QStringLiteral("-55"));
        QCOMPARE(board().end->text(), QStringLiteral("77"));
        QCOMPARE(board().step1->text(), QStringLiteral("5"));
        QCOMPARE(Settings().start, -55);
        QCOMPARE(Settings().step, 5);

        QTest::mouseClick(dialog.Command2, Qt::LeftButton);
        QVERIFY(dialogClosed());
        QCOMPARE(board().start->text(), QStringLiteral("-55"));
        QCOMPARE(ShellEnvironment::storedKeys(), QStringList());
    }

    void applySavesEverythingAndLaysTheBoardOut() {
        store({{"left", "120"}, {"fcolor", "255"}, {"xiankuan1", "2"}});
        LoadSettings();
        Form2& dialog = openDialog();
        dialog.横坐标结束刻度->setText(QStringLiteral("1500.3"));
        dialog.结束刻度->setText(QStringLiteral("800"));
        dialog.横坐标起始刻度->setText(QStringLiteral("-600"));
        dialog.起始刻度->setText(QStringLiteral("-400"));
        dialog.x最小刻度值->setText(QStringLiteral("50"));
        dialog.y最小刻度值->setText(QStringLiteral("2.5"));
        dialog.画板长度->setText(QStringLiteral("3000"));
        dialog.画板高度->setText(QStringLiteral("2500"));
        dialog.初始值->setText(QStringLiteral("-20"));
        dialog.最大值->setText(QStringLiteral("30"));
        dialog.Text1->setText(QStringLiteral("1"));
        dialog.Text2->setText(QStringLiteral("4"));
        dialog.Text3->setText(QStringLiteral("5.0"));
        dialog.Text4->setText(QStringLiteral("/no/such/picture.png"));
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        QVERIFY(dialogClosed());

        const QList<std::pair<const char*, const char*>> expected{{"backpicture", "/no/such/picture.png"},
                                                                  {"xiankuan1", "4"},
                                                                  {"xiankuan2", "5.0"},
                                                                  {"left", "120"},
                                                                  {"width", "3000"},
                                                                  {"_heiht", "2500"},
                                                                  {"max_x", "3001"},
                                                                  {"max_y", "1600"},
                                                                  {"min_x", "50"},
                                                                  {"min_y", "2"},
                                                                  {"start", "-20"},
                                                                  {"end", "30"},
                                                                  {"step", "1"},
                                                                  {"lcolor", "16711680"},
                                                                  {"bcolor", "16777215"},
                                                                  {"fcolor", "255"},
                                                                  {"max_l", "-600"},
                                                                  {"max_t", "-400"}};
        for (const auto& [key, value] : expected)
            QCOMPARE(GetSetting(QString::fromLatin1(key)), QString::fromUtf8(value));
        QVERIFY(!HasSetting(QStringLiteral("top")));
        // The board was laid out again from the store.
        QCOMPARE(board().pxp->scaleWidth(), 3001.0);
        QCOMPARE(board().pxp->scaleLeft(), -600.0);
    }

    void applyWithoutChangesSavesTheLoadedValues() {
        store({{"max_x", "2000"}});
        Form2& dialog = openDialog();
        QCOMPARE(dialog.横坐标结束刻度->text(), QStringLiteral("1000"));
        dialog.Command1_Click();
        QCOMPARE(GetSetting(QStringLiteral("max_x")), QStringLiteral("2000"));
        QCOMPARE(GetSetting(QStringLiteral("max_l")), QStringLiteral("-1000"));
    }

    // 平滑线条 shows the stored "smooth", "应用" saves it and the board's
    // re-layout reads it.
    void smoothLinesSwitch_data() {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("turned on") << true << "1";
        QTest::newRow("turned off") << false << "0";
    }

    void smoothLinesSwitch() {
        QFETCH(bool, checked);
        QFETCH(QString, stored);
        store({{"smooth", checked ? "0" : "1"}});
        Form2& dialog = openDialog();
        QCOMPARE(dialog.Check1->isChecked(), !checked);
        QCOMPARE(board().smoothLines(), !checked);
        dialog.Check1->setChecked(checked);
        dialog.Command1_Click();
        QCOMPARE(GetSetting(QStringLiteral("smooth")), stored);
        QCOMPARE(board().smoothLines(), checked);
    }

    void okTakesEffectWithoutSavingUntilTheNextReload() {
        Form2& dialog = openDialog();
        dialog.横坐标结束刻度->setText(QStringLiteral("700"));
        dialog.横坐标起始刻度->setText(QStringLiteral("-350"));
        dialog.画板长度->setText(QStringLiteral("1400"));
        QTest::mouseClick(dialog.Command3, Qt::LeftButton);
        QVERIFY(dialogClosed());

        QCOMPARE(Settings().max_x, 1400);
        QCOMPARE(Settings().width, 1400);
        QCOMPARE(board().pxp->scaleWidth(), 1400.0);
        QCOMPARE(board().pxp->scaleLeft(), -350.0);
        QCOMPARE(ShellEnvironment::storedKeys(), QStringList());

        // A re-layout from the store goes back to the saved values.
        board().reuse();
        QCOMPARE(board().pxp->scaleWidth(), 2000.0);
    }

    void aFieldThatIsNoNumberIsRefused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty start tick") << "横坐标起始刻度"
                                          << ""
                                          << "横坐标的起始刻度";
        QTest::newRow("letters in end tick") << "结束刻度"
                                             << "abc"
                                             << "纵坐标的结束刻度";
        QTest::newRow("end tick too large") << "横坐标结束刻度"
                                            << "2e9"
                                            << "横坐标的结束刻度";
        QTest::newRow("smallest tick overflow") << "y最小刻度值"
                                                << "1e40"
                                                << "纵坐标的最小刻度值";
        QTest::newRow("empty length") << "画板长度"
                                      << ""
                                      << "画板长度";
        QTest::newRow("double sign") << "最大值"
                                     << "--5"
                                     << "自变量的最大值";
        QTest::newRow("empty step") << "Text1"
                                    << ""
                                    << "精确度";
        QTest::newRow("step stored as 0") << "Text1"
                                          << "0.5"
                                          << "精确度";
        QTest::newRow("negative step stored as 0") << "Text1"
                                                   << "-0.4"
                                                   << "精确度";
        QTest::newRow("empty pen width") << "Text3"
                                         << " "
                                         << "线条宽度";
    }
    void aFieldThatIsNoNumberIsRefused() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        // "确定" first: it saves nothing, so "应用" still finds an empty store.
        for (QPushButton* Form2::*button : {&Form2::Command3, &Form2::Command1}) {
            Form2& dialog = openDialog();
            const SettingsRecord before = Settings();
            auto* edit = dialog.findChild<QLineEdit*>(field);
            QVERIFY(edit);
            edit->setText(text);
            QVERIFY(!edit->styleSheet().isEmpty());  // marked as it is typed
            QTest::mouseClick(dialog.*button, Qt::LeftButton);

            QVERIFY(!dialogClosed());
            QVERIFY(dialog.fieldProblem->text().contains(named));
            QCOMPARE(ShellEnvironment::storedKeys(), QStringList());
            QCOMPARE(Settings().width, before.width);
            QCOMPARE(Settings().max_x, before.max_x);
            QCOMPARE(Settings().max_y, before.max_y);

            // Corrected, it is taken.
            edit->setText(QStringLiteral("3"));
            QVERIFY(edit->styleSheet().isEmpty());
            QTest::mouseClick(dialog.*button, Qt::LeftButton);
            QVERIFY(dialogClosed());
        }
    }

    void aStepTypedOnTheBoardStaysWhenTheDialogOpens() {
        openDialog();
        QTest::mouseClick(Forms<Form2>::loaded()->Command2, Qt::LeftButton);
        QVERIFY(dialogClosed());
        board().show();
        board().step1->selectAll();
        QTest::keyClicks(board().step1, "0.5");

        Form2& dialog = openDialog();
        QCOMPARE(dialog.Text1->text(), QStringLiteral("2"));
        QTest::mouseClick(dialog.Command2, Qt::LeftButton);
        QVERIFY(dialogClosed());
        QCOMPARE(board().step1->text(), QStringLiteral("0.5"));
        QCOMPARE(board().start->text(), QStringLiteral("-100"));
        QCOMPARE(board().end->text(), QStringLiteral("100"));
    }

    void applyThatCannotSaveSaysSoAndStaysOpen() {
        store({{"width", "3000"}});
        const QByteArray before = ShellEnvironment::fileBytes(settingsFilePath());
        Form2& dialog = openDialog();
        dialog.画板长度->setText(QStringLiteral("2500"));
        {
            // Room for the old store, not for the new one.
            filefaults::FileSizeLimit limit(before.size());
            QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        }
        QVERIFY(!dialogClosed());
        QVERIFY2(dialog.fieldProblem->text().contains(QStringLiteral("Curvolo.ini")),
                 qPrintable(dialog.fieldProblem->text()));
        QCOMPARE(ShellEnvironment::fileBytes(settingsFilePath()), before);
        // This session goes on with what the dialog holds.
        QCOMPARE(Settings().width, 2500);
        QCOMPARE(board().pxp->widthTwips(), 2500.0);
    }

    void qtsOwnDialogsSpeakChinese() {
        QVERIFY(toolkit::installChineseTranslation(*qApp));
        Form2::setChoosers({}, {});  // the platform's own choosers
        Form2& dialog = openDialog();
        const QStringList colour = textsOfModalDialog([&] { dialog.Command4->click(); });
        const QStringList file = textsOfModalDialog([&] { dialog.Command6->click(); });
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        for (const QString& text : {QStringLiteral("选择颜色"), QStringLiteral("确定"), QStringLiteral("取消")})
            QVERIFY2(colour.contains(text), qPrintable(colour.join(QLatin1Char('|'))));
        QVERIFY2(file.contains(QStringLiteral("取消")), qPrintable(file.join(QLatin1Char('|'))));
        QVERIFY2(file.filter(QStringLiteral("打开")).size() > 0, qPrintable(file.join(QLatin1Char('|'))));
    }

    void colourChoosersStartFromTheSwatchAndKeepItWhenCancelled() {
        QColor offered;
        std::optional<QColor> answer = QColor(10, 20, 30);
        Form2::setChoosers(
            [&](const QColor& current, QWidget*) {
                offered = current;
                return answer;
            },
            [](const QString&, QWidget*) { return std::optional<QString>(); });
        Form2& dialog = openDialog();
        dialog.Command4->click();
        QCOMPARE(offered, QColor(255, 255, 255));
        QCOMPARE(Form2::swatchColour(dialog.背景颜色), toolkit::colorWord(QColor(10, 20, 30)));

        answer.reset();
        dialog.Command4->click();
        QCOMPARE(offered, QColor(10, 20, 30));
        QCOMPARE(Form2::swatchColour(dialog.背景颜色), toolkit::colorWord(QColor(10, 20, 30)));

        answer = QColor(0, 255, 0);
        dialog.Command5->click();
        QCOMPARE(offered, QColor(0, 0, 255));
        dialog.Command1_Click();
        QCOMPARE(GetSetting(QStringLiteral("bcolor")), QString::number(toolkit::colorWord(QColor(10, 20, 30))));
        QCOMPARE(GetSetting(QStringLiteral("lcolor")), QStringLiteral("65280"));
    }

    void fileChooserKeepsThePathWhenCancelled() {
        std::optional<QString> answer = QStringLiteral("/pictures/a.png");
        QString offered;
        Form2::setChoosers([](const QColor&, QWidget*) { return std::optional<QColor>(); },
                           [&](const QString& current, QWidget*) {
                               offered = current;
                               return answer;
                           });
        Form2& dialog = openDialog();
        dialog.Text4->setText(QStringLiteral("/old.png"));
        dialog.Command6->click();
        QCOMPARE(offered, QStringLiteral("/old.png"));
        QCOMPARE(dialog.Text4->text(), QStringLiteral("/pictures/a.png"));
        answer.reset();
        dialog.Command6->click();
        QCOMPARE(dialog.Text4->text(), QStringLiteral("/pictures/a.png"));
    }

    void optionsSwitchThePreviewsAndTheBoardsStyle() {
        Form2& dialog = openDialog();
        QVERIFY(dialog.Image1->isVisible());
        QVERIFY(!dialog.Image2->isVisible());
        QVERIFY(!dialog.Image1->image().isNull());
        QVERIFY(dialog.Image1->image() != dialog.Image2->image());
        QVERIFY(shellQuestions().gridStyleSelected());

        QTest::mouseClick(dialog.Option2, Qt::LeftButton, {}, indicatorOf(dialog.Option2));
        QVERIFY(dialog.Image2->isVisible());
        QVERIFY(!dialog.Image1->isVisible());
        QVERIFY(!shellQuestions().gridStyleSelected());

        QTest::mouseClick(dialog.Option1, Qt::LeftButton, {}, indicatorOf(dialog.Option1));
        QVERIFY(dialog.Image1->isVisible());
        QVERIFY(!dialog.Image2->isVisible());
    }

    void aClosedDialogAnswersGridFromAFreshHiddenOne() {
        Form2& dialog = openDialog();
        dialog.Option2->setChecked(true);
        QVERIFY(!shellQuestions().gridStyleSelected());
        dialog.Command2_Click();
        QVERIFY(dialogClosed());

        QVERIFY(shellQuestions().gridStyleSelected());
        QVERIFY(Forms<Form2>::loaded());
        QVERIFY(!Forms<Form2>::loaded()->isVisible());
    }

    void aBoardCreatedAfreshTakesTheRangeOfTheLoadedDialog() {
        Form2& dialog = openDialog();
        dialog.初始值->setText(QStringLiteral("-33"));
        dialog.最大值->setText(QStringLiteral("44"));
        dialog.hide();
        delete Forms<mForm1>::loaded();
        QVERIFY(Forms<Form2>::loaded());

        boardWindow().show();
        QCOMPARE(board().start->text(), QStringLiteral("-33"));
        QCOMPARE(board().end->text(), QStringLiteral("44"));
    }

    void escapeCancels() {
        Form2& dialog = openDialog();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialogClosed());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "tst_settings_dialog.moc"
