#pragma once
// Which names go on a class board's printout or CSV file: the real ones, or the numbers the
// window shows while it hides names.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace qel {

class frmOutputNames : public QDialog {
    Q_OBJECT
public:
    // `numbers`: the choice offered first.
    explicit frmOutputNames(bool numbers, QWidget *parent = nullptr);

    bool numbers() const;

    QRadioButton *optRealNames = nullptr;
    QRadioButton *optNumbers = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *lblQuestion = nullptr;
};

} // namespace qel
