// The component's Qt face: the About page's texts, links and pictures, and
// the control face's fixed size and its way to the About page.
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QtTest>
#include <cmath>

#include "calculator/About.h"
#include "calculator/CalculatorFace.h"
#include "calculator/LinkLabel.h"

using ombra::About;
using ombra::CalculatorFace;

namespace {

// How many different colours a picture holds: a blank or flat one has one.
int colourCount(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    }
    return static_cast<int>(colours.size());
}

QList<About*> openAboutPages() {
    QList<About*> pages;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* page = qobject_cast<About*>(window); page && page->isVisible()) pages.append(page);
    }
    return pages;
}

}  // namespace

class FaceTests : public QObject {
    Q_OBJECT
private slots:
    void aboutShowsItsTexts_data();
    void aboutShowsItsTexts();
    void linksOpenTheirAddresses();
    void onlyALeftClickOrActivationKeyOpensALink();
    void aboutPicturesAreDrawn();
    void faceKeepsItsSizeWhateverTheHostAsks_data();
    void faceKeepsItsSizeWhateverTheHostAsks();
    void faceIsEighteenPixelsAtNinetySixDpi();
    void faceDrawsItsPicture();
    void faceOpensOneAboutPage();
    void aboutClosesWithoutAWindowManager_data();
    void aboutClosesWithoutAWindowManager();
};

void FaceTests::aboutShowsItsTexts_data() {
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("expected");  // empty: any non-empty text
    QTest::newRow("product") << "Label1"
                             << "";
    QTest::newRow("version") << "LabelA"
                             << "Version 3.0 Build 0405";
    QTest::newRow("systems") << "Label3"
                             << "FOR Windows 98/98SE/Me/NT 4.0/2000/XP/Server 2003";
    QTest::newRow("hosts") << "Label2"
                           << "";
    QTest::newRow("notice") << "LabelB"
                            << "";
    QTest::newRow("support link") << "LabelC"
                                  << "";
    QTest::newRow("web link") << "LabelD"
                              << "";
}

void FaceTests::aboutShowsItsTexts() {
    QFETCH(QString, objectName);
    QFETCH(QString, expected);
    About about;
    QCOMPARE(about.windowTitle(), QStringLiteral("关于"));
    auto* label = about.findChild<QLabel*>(objectName);
    QVERIFY2(label != nullptr, qPrintable(objectName));
    if (expected.isEmpty()) {
        QVERIFY(!label->text().trimmed().isEmpty());
    } else {
        QCOMPARE(label->text(), expected);
    }
}

void FaceTests::linksOpenTheirAddresses() {
    About about;
    QList<QUrl> opened;
    about.setUrlOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    about.LabelC_Click();
    about.LabelD_Click();
    QTest::mouseClick(about.findChild<QLabel*>("LabelC"), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QLabel*>("LabelD"), Qt::LeftButton);

    QCOMPARE(opened.size(), 4);
    for (int i : {0, 2}) {
        QCOMPARE(opened[i].scheme(), QStringLiteral("mailto"));
        QVERIFY2(opened[i].path().endsWith(QStringLiteral(".example")), qPrintable(opened[i].toString()));
    }
    for (int i : {1, 3}) {
        QVERIFY(opened[i].scheme().startsWith(QStringLiteral("http")));
        QVERIFY2(opened[i].host().endsWith(QStringLiteral(".example")), qPrintable(opened[i].toString()));
    }
    // The support label shows the address it opens.
    QVERIFY(about.findChild<QLabel*>("LabelC")->text().contains(opened[0].path()));
}

void FaceTests::onlyALeftClickOrActivationKeyOpensALink() {
    About about;
    int opened = 0;
    about.setUrlOpener([&](const QUrl&) {
        ++opened;
        return false;  // a desktop without a handler: nothing else happens
    });
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* link = about.findChild<QLabel*>("LabelD");
    QTest::mouseClick(link, Qt::RightButton);
    QTest::keyClick(link, Qt::Key_A);
    QCOMPARE(opened, 0);
    QTest::keyClick(link, Qt::Key_Space);
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(opened, 2);
}

void FaceTests::aboutPicturesAreDrawn() {
    About about;
    for (const char* name : {"Image1", "Image2", "Image3"}) {
        auto* label = about.findChild<QLabel*>(name);
        QVERIFY2(label != nullptr, name);
        const QImage picture = label->pixmap().toImage();
        QVERIFY2(!picture.isNull(), name);
        QVERIFY2(colourCount(picture) >= 3, name);
    }
    QVERIFY(about.findChild<QLabel*>("Image1")->pixmap().toImage() !=
            about.findChild<QLabel*>("Image2")->pixmap().toImage());
}

void FaceTests::faceKeepsItsSizeWhateverTheHostAsks_data() {
    QTest::addColumn<QSize>("asked");
    QTest::newRow("larger") << QSize(200, 120);
    QTest::newRow("smaller") << QSize(5, 5);
    QTest::newRow("one side") << QSize(18, 40);
    QTest::newRow("empty") << QSize(0, 0);
}

void FaceTests::faceKeepsItsSizeWhateverTheHostAsks() {
    QFETCH(QSize, asked);
    QWidget host;
    auto* face = new CalculatorFace(&host);
    const QSize side(face->sidePixels(), face->sidePixels());
    QCOMPARE(face->size(), side);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    face->resize(asked);
    QCOMPARE(face->size(), side);
    face->setGeometry(QRect(QPoint(3, 4), asked));
    QCOMPARE(face->size(), side);
    QCOMPARE(face->pos(), QPoint(3, 4));
}

void FaceTests::faceIsEighteenPixelsAtNinetySixDpi() {
    CalculatorFace face;
    const int expected = static_cast<int>(std::lround(270.0 * face.logicalDpiX() / 1440.0));
    QCOMPARE(face.sidePixels(), expected);
    if (face.logicalDpiX() == 96) QCOMPARE(face.sidePixels(), 18);

    // Placed in a stretching layout it still keeps its size.
    QWidget host;
    auto* layout = new QHBoxLayout(&host);
    auto* placed = new CalculatorFace;
    layout->addWidget(placed);
    host.resize(300, 200);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(placed->size(), QSize(expected, expected));
}

void FaceTests::faceDrawsItsPicture() {
    CalculatorFace face;
    const QImage shown = face.grab().toImage();
    QCOMPARE(shown.size() / shown.devicePixelRatio(), QSize(face.sidePixels(), face.sidePixels()));
    QVERIFY(colourCount(shown) >= 3);
}

void FaceTests::faceOpensOneAboutPage() {
    QPointer<About> about;
    {
        CalculatorFace face;
        QAction* action = nullptr;
        for (QAction* candidate : face.actions()) {
            if (candidate->text() == QStringLiteral("关于...")) action = candidate;
        }
        QVERIFY(action != nullptr);
        QCOMPARE(face.contextMenuPolicy(), Qt::ActionsContextMenu);
        action->trigger();
        QCOMPARE(openAboutPages().size(), 1);
        about = openAboutPages().front();
        QCOMPARE(about->windowTitle(), QStringLiteral("关于"));

        QTest::mouseDClick(&face, Qt::LeftButton);
        QCOMPARE(face.showAbout(), about.data());
        QCOMPARE(openAboutPages().size(), 1);
    }
    QVERIFY2(about.isNull(), "the page goes with its control");
}

// Without a window manager's close box the page still closes: by Escape
// wherever the focus is, by its 确定 button, and by Space on that button,
// which has the focus when the page opens.
void FaceTests::aboutClosesWithoutAWindowManager_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Escape on a link") << "Escape on a link";
    QTest::newRow("确定") << "click";
    QTest::newRow("Space on the focused button") << "Space";
}

void FaceTests::aboutClosesWithoutAWindowManager() {
    QFETCH(QString, how);
    QPointer<About> about;
    {
        CalculatorFace face;
        about = face.showAbout();
        QVERIFY(QTest::qWaitForWindowActive(about));
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("OkButton"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("确定"));
        if (how == QLatin1String("Escape")) {
            QTest::keyClick(about, Qt::Key_Escape);
        } else if (how == QLatin1String("Escape on a link")) {
            about->LabelD->setFocus();
            QTest::keyClick(about->LabelD, Qt::Key_Escape);
        } else if (how == QLatin1String("click")) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            QCOMPARE(QApplication::focusWidget(), ok);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QTRY_VERIFY2(about.isNull(), qPrintable(how));  // closed, and so deleted
    }
}

QTEST_MAIN(FaceTests)
#include "face_tests.moc"
