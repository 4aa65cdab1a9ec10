#pragma once
// The class board's targets of the record folder, English and Kana/Romaji side by side.
// The dialog edits a copy; whoever opened it stores what it returns.

#include "records/attention.h"

#include <QDialog>
#include <array>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace qel {

class frmTargets : public QDialog {
    Q_OBJECT
public:
    explicit frmTargets(const ClassTargets &targets, QWidget *parent = nullptr);

    // The targets as the fields hold them.
    ClassTargets targets() const;
    void setTargets(const ClassTargets &targets);

    // Per Course (0 English, 1 Kana/Romaji).
    std::array<QSpinBox *, 2> txtSpm{};
    std::array<QDoubleSpinBox *, 2> txtMistype{};
    std::array<QSpinBox *, 2> txtMinutes{};
    std::array<QSpinBox *, 2> txtIdleDays{};
    QPushButton *cmdDefaults = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    std::array<QLabel *, 2> lblCourse{};
    std::array<QLabel *, 4> lblRow{}; // SPM, mistype rate, minutes a week, days without practice
    QLabel *lblNote = nullptr;
};

} // namespace qel
