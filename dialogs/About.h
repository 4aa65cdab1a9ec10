#pragma once
// The version box: version, a link to the maker's page, a notice line.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qel {

class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget *parent = nullptr);

    static QString makerAddress(); // the page the link opens

    void Command1_Click();
    void Label2_Click();
    // The link lights up (italic, cyan) while the mouse is over it...
    void Label2_MouseMove();
    // ...and goes back (upright, pale yellow) over the bare form, the button or the notice.
    void Form_MouseMove();
    void Command1_MouseMove() { Form_MouseMove(); }
    void Label3_MouseMove() { Form_MouseMove(); }

    bool linkLit() const { return linkLit_; }

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void setLinkLook(bool lit);
    bool linkLit_ = false;
};

} // namespace qel
