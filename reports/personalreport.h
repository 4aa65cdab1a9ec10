#pragma once
// The personal report: one page per learner with the figures of both Courses, the
// learner's own settings and four graphs, drawn on any QPainter in millimetres and twips.

#include "reports/pagegeometry.h"

#include "records/learnersummary.h"
#include "records/loadedhistory.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;

namespace qel::reports {

// Learners are given by their learner keys (RecordName): the name bytes of their files, so
// two learners whose names read alike get a page each, each with its own files.

// The tree's selected node, looked at when no row of the list is selected.
struct TreeSelection {
    enum Kind { Nothing, GroupNode, LearnerNode };
    Kind kind = Nothing;
    QString text; // the learner key on a learner node
};

// Who gets a page: the learners of the selected rows in list order, each once (by the exact
// key), since one page holds both Courses. With no row selected, the learner of the
// selected tree node. An empty list means nothing to print and no print dialog.
QStringList personalNameList(const QStringList &selectedRowNames, const TreeSelection &node);

// Starts the next page; false when the device cannot.
using NewPage = std::function<bool()>;

// The learner of page `index` (from 0), read already; the reference serves until the next call.
using LearnerSource = std::function<const LearnerRecord &(int index)>;
// Reads each learner from `folder` as the page comes.
LearnerSource readingLearners(const QString &folder, const QStringList &names);

// Draws `count` pages, one per learner in order, with a page break between pages.
// Stops at a failing page break: false, and `error` says which page. Files that are there
// but could not be read (their texts stay empty) are added to `unreadable`.
bool drawPersonalReport(QPainter &painter, const PageGeometry &page, int count, const LearnerSource &learner,
                        const NewPage &newPage, QString *error = nullptr,
                        std::vector<UnreadableFile> *unreadable = nullptr);

// One learner's page, headed by the learner's name as shown; `pageNumber` of `pageCount`
// goes in the footer.
void drawPersonalPage(QPainter &painter, const PageGeometry &page, const LearnerRecord &learner, int pageNumber,
                      int pageCount, std::vector<UnreadableFile> *unreadable = nullptr);

// Footer text of a page: "- 2/5 -".
QString pageFooterText(int pageNumber, int pageCount);

} // namespace qel::reports
