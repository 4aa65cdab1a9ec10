#pragma once
// Group properties: the seven group figures for all learners, English and Kana/Romaji, as
// the window's folder session gathers them away from the window's thread.

#include "dialogs/dialoglayout.h"
#include "records/groupstats.h"

#include <QDialog>
#include <array>

class QIcon;
class QLabel;
class QPushButton;

namespace qel {

class GroupHost;

class frmMprop : public QDialog {
    Q_OBJECT
public:
    frmMprop(GroupHost &host, const QIcon &icon, QWidget *parent = nullptr);

    // True from the first activation until the figures are in; close requests are refused.
    bool isComputing() const { return m_computing; }

public slots:
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void Form_Activate();
    void showFigures(const GroupStatistics &figures);
    void cmdPrint_Click();

    QLabel *addLabel(const QString &objectName, int left, int top, int width,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    GroupHost &m_host;
    GroupStatistics m_figures;
    bool m_activated = false;
    bool m_computing = false;
    TwipsScale m_twips;
    int m_labelHeight = 0;

    std::array<QLabel *, 3> lblHeader{};
    std::array<QLabel *, 7> lblCaption{};
    // [group][row]
    std::array<std::array<QLabel *, 7>, 3> lblValue{};
    QLabel *lblNoticeShadow = nullptr;
    QLabel *lblNotice = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace qel
