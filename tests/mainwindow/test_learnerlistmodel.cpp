// The learner list's model under Qt's model checker through every change a refresh, a sort
// and a deletion make, with its index from record file to row kept true.

#include "mainwindow/learnerlistmodel.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <random>

using namespace qel;

namespace {

TableRow row(int learner, int runs)
{
    TableRow r;
    r.key = QStringLiteral("l%1_Qele.dat").arg(learner);
    r.name = QStringLiteral("l%1").arg(learner);
    r.cells[RunsColumn] = QStringLiteral("%1").arg(runs, 6);
    r.sortValue = double((learner * 37) % 11) - 5;
    return r;
}

// The rows of some learners, in folder order, with figures that change from round to round.
std::vector<TableRow> rowsOf(const std::vector<int> &learners, int round)
{
    std::vector<TableRow> rows;
    for (int learner : learners)
        rows.push_back(row(learner, (learner * 7 + round) % 50));
    return rows;
}

} // namespace

class LearnerListModelTest : public QObject {
    Q_OBJECT

private slots:
    void randomChangesKeepTheModelAndItsIndexTrue()
    {
        LearnerListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        std::mt19937 random(1208);
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        model.setRows(rowsOf({1, 2, 3, 4, 5}, 0));
        for (int round = 1; round < 200; ++round) {
            switch (pick(5)) {
            case 0: model.sortByText(pick(LearnerListModel::kColumns), pick(2) == 0); break;
            case 1: model.sortByRate(pick(2) == 0); break;
            case 2: { // a refresh: learners come and go, figures change
                std::vector<int> learners;
                for (int learner = 0; learner < 30; ++learner)
                    if (pick(3) == 0)
                        learners.push_back(learner);
                model.updateRows(rowsOf(learners, round));
                break;
            }
            case 3: { // a deletion of rows here and there
                std::vector<int> gone;
                for (int r = 0; r < model.rowCount(); ++r)
                    if (pick(4) == 0)
                        gone.push_back(r);
                model.removeRowsAt(gone);
                break;
            }
            case 4: model.markRows({QStringLiteral("l%1_Qele.dat").arg(pick(30))}); break;
            }
            for (int r = 0; r < model.rowCount(); ++r)
                QCOMPARE(model.rowOfKey(model.row(r).key), r);
            QCOMPARE(model.rowOfKey(QStringLiteral("nobody_Qele.dat")), -1);
        }
    }
};

QTEST_MAIN(LearnerListModelTest)
#include "test_learnerlistmodel.moc"
