// The board model on its own, under an application that cannot make a
// widget (any widget would abort the run): the export, a layout that reads
// no stored setting, one curve removed among others, and undo and redo of
// every kind of step back to the same pixels.

#include "board/board_model.h"
#include "board/export_plot.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <QGuiApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <vector>

using namespace plotdesk;

namespace {

CurveRequest function(const char* text, int32_t colour) {
    CurveRequest request;
    request.function = QString::fromLatin1(text);
    request.range = {-100, 100, 2};
    request.colour = colour;
    return request;
}

BoardLayout defaultLayout() {
    LoadSettings();
    return BoardModel::storedLayout();
}

}  // namespace

class BoardModelTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store_.path()); }
    void exportDrawsWithoutWidgets();
    void layoutComesFromTheModelAlone();
    void removingACurveLeavesTheOthers();
    void everyStepUndoesAndRedoes();
    void undoKeepsAThousandSteps();

private:
    QTemporaryDir store_;
};

void BoardModelTest::exportDrawsWithoutWidgets() {
    QTemporaryDir folder;
    ExportRequest request;
    request.file = folder.filePath(QStringLiteral("plot.png"));
    request.curves = {{false, QStringLiteral("sin(x/20)*300"), {}, {}}};
    QCOMPARE(exportPlot(request).result, ExportOutcome::Result::Written);
    QVERIFY(!QImage(request.file).isNull());
}

// A layout given to the model is drawn as it is: the picture takes its size
// and colours, and neither the settings record nor the store changes.
void BoardModelTest::layoutComesFromTheModelAlone() {
    BoardLayout layout = defaultLayout();
    layout.record.width = 3000;
    layout.record._heiht = 1500;
    layout.record.bcolor = 0x00FF00;
    const SettingsRecord before = Settings();
    BoardModel model;
    model.layOut(layout);
    QCOMPARE(model.picture().widthTwips(), 3000.0);
    QCOMPARE(model.picture().heightTwips(), 1500.0);
    QCOMPARE(model.picture().image().pixel(1, 1) & 0xFFFFFF, 0x00FF00u);
    QCOMPARE(Settings().width, before.width);
    QCOMPARE(Settings().bcolor, before.bcolor);
    QVERIFY(!HasSetting(key::width));
}

void BoardModelTest::removingACurveLeavesTheOthers() {
    const BoardLayout layout = defaultLayout();
    const std::vector<CurveRequest> curves{function("x", 0x0000FF), function("x*x/50-100", 0x00FF00),
                                           function("sin(x/10)*200", 0xFF0000)};
    BoardModel all;
    all.layOut(layout);
    for (const CurveRequest& curve : curves) all.plot(curve);
    all.removeCurve(1);
    BoardModel without;
    without.layOut(layout);
    without.plot(curves[0]);
    without.plot(curves[2]);
    QCOMPARE(all.picture().image(), without.picture().image());
    QCOMPARE(all.state().curves.size(), size_t{2});
}

// Each step's picture comes back exactly on undo, and the last one on redo.
void BoardModelTest::everyStepUndoesAndRedoes() {
    BoardModel model;
    model.layOut(defaultLayout());
    model.undoStack().clear();
    const std::vector<std::function<void()>> steps{
        [&] { model.plot(function("x", 0x0000FF)); },
        [&] { model.plot(function("sin(x/10)*200", 0xFF0000)); },
        [&] { model.zoomAbout(10, -10, 2); },
        [&] {
            model.beginGesture();
            model.panBy(30, 0);
            model.panBy(0, 40);
            model.endGesture();
        },
        [&] { model.setCurveVisible(0, false); },
        [&] { model.setCurveColour(1, 0x00FF00); },
        [&] { model.fitView(QSize(300, 200)); },
        [&] { model.setCurveVisible(0, true); },
        [&] { model.removeCurve(1); },
        [&] { model.showClassicView(); },
        [&] {
            BoardLayout wider = model.state().layout;
            wider.record.width = 4000;
            model.layOut(wider);
        },
    };
    std::vector<QImage> pictures{model.picture().image()};
    for (const auto& step : steps) {
        step();
        pictures.push_back(model.picture().image());
        QVERIFY2(pictures.back() != pictures[pictures.size() - 2], qPrintable(QString::number(pictures.size())));
    }
    QCOMPARE(model.undoStack().count(), int(steps.size()));
    for (size_t i = pictures.size() - 1; i-- > 0;) {
        model.undoStack().undo();
        QVERIFY2(model.picture().image() == pictures[i], qPrintable(QString::number(i)));
    }
    for (size_t i = 1; i < pictures.size(); ++i) {
        model.undoStack().redo();
        QVERIFY2(model.picture().image() == pictures[i], qPrintable(QString::number(i)));
    }
}

void BoardModelTest::undoKeepsAThousandSteps() {
    BoardModel model;
    model.layOut(defaultLayout());
    for (int i = 0; i < kUndoSteps + 5; ++i) model.zoomAbout(0, 0, i % 2 ? 2 : 0.5);
    QCOMPARE(model.undoStack().count(), kUndoSteps);
}

// A GUI application without widgets: constructing a QWidget aborts.
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    BoardModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_board_model.moc"
