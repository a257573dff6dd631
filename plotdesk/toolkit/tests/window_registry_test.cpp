// The window registry: a window is created on first reference, once, also
// when it refers to itself during its load, and forgotten when it goes.

#include "toolkit/forms.h"

#include <QtTest>

using plotdesk::toolkit::Forms;

namespace {

int created = 0;
int loads = 0;

class SampleWindow : public QWidget {
public:
    SampleWindow() {
        setAttribute(Qt::WA_DeleteOnClose);
        ++created;
    }
    void Form_Load() {
        ++loads;
        // Loading refers to the window itself, as a window's load may do
        // through other windows it calls.
        Forms<SampleWindow>::get().setWindowTitle(QStringLiteral("loaded"));
        loadedDuringLoad = Forms<SampleWindow>::loaded();
    }
    SampleWindow* loadedDuringLoad = nullptr;
};

void processDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class WindowRegistryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Forms<SampleWindow>::unload();
        created = loads = 0;
    }
    void firstReferenceCreatesAndLoadsOnce();
    void closingForgetsTheWindow();
    void unloadDeletesTheWindow();
};

void WindowRegistryTest::firstReferenceCreatesAndLoadsOnce() {
    QCOMPARE(Forms<SampleWindow>::loaded(), nullptr);
    QCOMPARE(created, 0);
    SampleWindow& window = Forms<SampleWindow>::get();
    QCOMPARE(created, 1);
    QCOMPARE(loads, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("loaded"));
    QCOMPARE(window.loadedDuringLoad, &window);
    QCOMPARE(&Forms<SampleWindow>::get(), &window);
    QCOMPARE(Forms<SampleWindow>::loaded(), &window);
    QCOMPARE(created, 1);
    QVERIFY(!window.isVisible());  // referring to a window does not show it
}

void WindowRegistryTest::closingForgetsTheWindow() {
    QPointer<SampleWindow> first = &Forms<SampleWindow>::get();
    first->show();
    first->close();
    processDeferredDeletes();
    QVERIFY(first.isNull());
    QCOMPARE(Forms<SampleWindow>::loaded(), nullptr);

    // The next reference loads a fresh window.
    SampleWindow& second = Forms<SampleWindow>::get();
    QCOMPARE(created, 2);
    QCOMPARE(loads, 2);
    QCOMPARE(Forms<SampleWindow>::loaded(), &second);
}

void WindowRegistryTest::unloadDeletesTheWindow() {
    QPointer<SampleWindow> window = &Forms<SampleWindow>::get();
    window->show();
    Forms<SampleWindow>::unload();
    QVERIFY(window.isNull());  // at once, not at the next turn of the event loop
    QCOMPARE(Forms<SampleWindow>::loaded(), nullptr);
    Forms<SampleWindow>::unload();  // unloading twice is harmless
    QCOMPARE(created, 1);
}

QTEST_MAIN(WindowRegistryTest)
#include "window_registry_test.moc"
