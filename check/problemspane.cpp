#include "check/problemspane.h"

#include "base/doctext.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

namespace {

constexpr int kFileRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;
constexpr int kColumnRole = Qt::UserRole + 2;

// Enter on a row chooses it, as a double click does.
class ProblemList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(QTreeWidgetItem*)> onEnter;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentItem() && onEnter) {
            onEnter(currentItem());
            return;
        }
        QTreeWidget::keyPressEvent(e);
    }
};

QString count(std::size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

} // namespace

TProblemsPane::TProblemsPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProblemsPane"));
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("ProblemsSummary"));
    Summary->setTextFormat(Qt::PlainText);
    auto* list = new ProblemList(this);
    List = list;
    List->setObjectName(QStringLiteral("ProblemList"));
    List->setColumnCount(3);
    List->setHeaderLabels({QStringLiteral("Where"), QStringLiteral("Kind"), QStringLiteral("Problem")});
    List->setRootIsDecorated(true);
    List->setUniformRowHeights(true);
    List->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Summary);
    layout->addWidget(List, 1);
    list->onEnter = [this](QTreeWidgetItem* item) { choose(item); };
    connect(List, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { choose(item); });
    clear();
}

void TProblemsPane::clear() {
    List->clear();
    Summary->setText(QStringLiteral("No check has run."));
}

void TProblemsPane::showWorking(const QString& text) { Summary->setText(text); }

void TProblemsPane::showProblems(const QString& title, const std::vector<tv::CheckProblem>& problems, std::size_t more,
                                 const std::vector<std::string>& orphans, const QString& folder) {
    List->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    std::map<std::string, QTreeWidgetItem*> groups;
    std::size_t errors = 0, warnings = 0;
    for (const tv::CheckProblem& p : problems) {
        QTreeWidgetItem* parent = nullptr;
        if (!p.file.empty()) {
            QTreeWidgetItem*& g = groups[p.file];
            if (!g) {
                g = new QTreeWidgetItem(List, {fromStd(tv::shownName(p.file, toStd(folder)))});
                g->setData(0, kFileRole, fromStd(p.file));
                g->setFirstColumnSpanned(true);
                g->setExpanded(true);
            }
            parent = g;
        }
        auto* row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(List);
        row->setText(0, p.line > 0 ? QStringLiteral("%1:%2").arg(p.line).arg(p.column) : QString());
        row->setText(1, p.error ? QStringLiteral("error") : QStringLiteral("warning"));
        row->setIcon(1, p.error ? errorIcon : warningIcon);
        row->setText(2, fromStd(p.message));
        row->setToolTip(2, row->text(2));
        row->setData(0, kFileRole, fromStd(p.file));
        row->setData(0, kLineRole, p.line);
        row->setData(0, kColumnRole, p.column);
        ++(p.error ? errors : warnings);
    }
    if (!orphans.empty()) {
        auto* g = new QTreeWidgetItem(List, {QStringLiteral("Files no page or style sheet refers to")});
        g->setFirstColumnSpanned(true);
        for (const std::string& f : orphans) {
            auto* row = new QTreeWidgetItem(g, {fromStd(tv::shownName(f, toStd(folder)))});
            row->setData(0, kFileRole, fromStd(f));
            row->setData(0, kLineRole, 1);
            row->setData(0, kColumnRole, 1);
        }
    }
    List->resizeColumnToContents(0);
    List->resizeColumnToContents(1);
    QString text = title + QStringLiteral(": ") + count(errors, "error", "errors") + QStringLiteral(", ") +
                   count(warnings, "warning", "warnings");
    if (more > 0) text += QStringLiteral(" (and %1 more not shown)").arg(more);
    if (!orphans.empty()) text += QStringLiteral(", ") + count(orphans.size(), "file", "files") + QStringLiteral(" no page refers to");
    Summary->setText(text + QLatin1Char('.'));
    if (List->topLevelItemCount() > 0) List->setCurrentItem(List->topLevelItem(0));
}

void TProblemsPane::choose(QTreeWidgetItem* item) {
    if (!item || !onChoose || !item->data(0, kLineRole).isValid()) return;
    onChoose(item->data(0, kFileRole).toString(), item->data(0, kLineRole).toInt(), item->data(0, kColumnRole).toInt());
}
