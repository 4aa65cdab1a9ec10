#pragma once
// The find dialog: type a learner's name, jump to the learner's row in the list.

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qel {

class SearchTarget;

class frmSearch : public QDialog {
    Q_OBJECT
public:
    explicit frmSearch(SearchTarget &target, QWidget *parent = nullptr);

    // 0 OK, 1 キャンセル.
    void Command1_Click(int index);

    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    std::array<QPushButton *, 2> Command1{};
    QLabel *Image1 = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    SearchTarget &target_;
};

} // namespace qel
