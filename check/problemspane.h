// TProblemsPane: the problems of the last check, of a page or of a site's
// links, one a row (where, error or warning, what), grouped by file for a
// site. A double click or Enter on a row goes to its place.
#pragma once

#include "check/problem.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class TProblemsPane : public QWidget {
    Q_OBJECT
public:
    explicit TProblemsPane(QWidget* parent = nullptr);

    // The problems of one check under a title; `more`: found beyond those
    // shown; `orphans`: files no page refers to (a site check).
    void showProblems(const QString& title, const std::vector<tv::CheckProblem>& problems, std::size_t more = 0,
                      const std::vector<std::string>& orphans = {}, const QString& folder = {});
    // A line while a check runs.
    void showWorking(const QString& text);
    void clear();

    // A row chosen: its file (empty: the checked page), line and column.
    std::function<void(const QString& file, int line, int column)> onChoose;

    QLabel* Summary = nullptr;
    QTreeWidget* List = nullptr;

private:
    void choose(QTreeWidgetItem* item);
};
