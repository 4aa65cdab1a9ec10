#pragma once
// The start-up window: a picture, a notice and the progress of the first table build.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace qel {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
};

} // namespace qel
