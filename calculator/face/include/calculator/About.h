#pragma once
// The Calculator control's About page: product, version, supported systems
// and hosts, the maker's notice, three pictures and two links. Its 确定
// button and the Escape key close it, so it needs no window manager's close
// box.

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace ombra {

class LinkLabel;

class About : public QWidget {
    Q_OBJECT
public:
    // Opens an address (the desktop's URL handler by default). Its answer is
    // not acted on: a link that cannot be opened just does nothing.
    using UrlOpener = std::function<bool(const QUrl&)>;

    static const QUrl kSupportAddress;  // LabelC
    static const QUrl kWebAddress;      // LabelD

    explicit About(QWidget* parent = nullptr);

    void setUrlOpener(UrlOpener opener);

    void LabelC_Click();
    void LabelD_Click();

    QLabel* Label1;  // product name
    QLabel* LabelA;  // version and build
    QLabel* Label3;  // systems
    QLabel* Label2;  // hosting environments
    QLabel* LabelB;  // the maker's notice
    LinkLabel* LabelC;
    LinkLabel* LabelD;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    QPushButton* OkButton;  // 确定: closes the page

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    UrlOpener opener_;
};

}  // namespace ombra
