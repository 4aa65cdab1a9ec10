#pragma once
// Personal properties: one learner's figures for both Courses side by side, with the
// learner's own trainer settings.

#include "dialogs/dialoglayout.h"
#include "records/learnersummary.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

class QIcon;
class QLabel;
class QPushButton;

namespace qel {

class frmPropaty : public QDialog {
    Q_OBJECT
public:
    // Starts the personal printout for one learner, given by the learner key.
    using PrintCallback = std::function<void(const QString &learnerKey)>;

    // Shows the figures and settings of a learner as read; `learnerKey` (RecordName) names
    // the learner's files. Without a print callback "印刷" only closes the dialog.
    frmPropaty(const LearnerSummary &summary, const QString &learnerKey, const QIcon &icon,
               PrintCallback print = {}, QWidget *parent = nullptr);

    const QString &learnerName() const { return m_name; } // the learner key
    // The name as the window shows it (a number while it hides names); the files and the
    // printout are still the learner's.
    void setShownName(const QString &name);
    // Shows these figures and settings in place of those shown: the texts of a summary read
    // anew after the language changed. The name stays as shown.
    void setSummary(const LearnerSummary &summary);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void cmdPrint_Click();

    QLabel *addLabel(const QString &objectName, int left, int top, int width,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    QString m_name;
    PrintCallback m_print;
    TwipsScale m_twips;
    int m_labelHeight = 0;

    QLabel *lblUserCaption = nullptr;
    QLabel *lblName = nullptr;
    std::array<QLabel *, 2> lblHeader{};
    std::array<QLabel *, 6> lblFigureCaption{};
    // Practice text, conversion mode, speed guide, keyboard, kanji, cursor, elapsed time.
    std::array<QLabel *, 7> lblSettingCaption{};
    // Per Course: passed STEP, run count, total time, progress rate, best SPM, last practice.
    std::array<std::array<QLabel *, 6>, 2> lblFigure{};
    // The ten settings texts, numbered as the settings reader numbers them.
    std::array<QLabel *, 10> lblSetting{};
    QLabel *lblMistypeCaption = nullptr;
    QLabel *lblReadingCaption = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace qel
