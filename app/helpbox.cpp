#include "app/helpbox.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
QString pageText(const QString& page) {
    QFile f(QStringLiteral(":/manual/") + page);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QTextDocument d;
    d.setHtml(QString::fromUtf8(f.readAll()));
    return d.toPlainText();
}
QString pageTitle(const QString& page) {
    QFile f(QStringLiteral(":/manual/") + page);
    if (!f.open(QIODevice::ReadOnly)) return page;
    const auto m = QRegularExpression(QStringLiteral("<h1>(.*?)</h1>")).match(QString::fromUtf8(f.readAll()));
    return m.hasMatch() ? m.captured(1) : page;
}
} // namespace

QStringList THelpBox::pages() {
    return {QStringLiteral("index.html"), QStringLiteral("start.html"), QStringLiteral("menus.html"),
            QStringLiteral("dialogs.html"), QStringLiteral("projects.html"), QStringLiteral("setup.html")};
}

THelpBox::THelpBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpBox"));
    setWindowTitle(QStringLiteral("Taviron Help"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QHBoxLayout(this);
    auto* splitter = new QSplitter(this);
    auto* left = new QWidget(splitter);
    auto* lv = new QVBoxLayout(left);
    lv->setContentsMargins(0, 0, 0, 0);
    Search = new QLineEdit(left);
    Search->setPlaceholderText(QStringLiteral("Search"));
    Contents = new QListWidget(left);
    lv->addWidget(Search);
    lv->addWidget(Contents);
    Page = new QTextBrowser(splitter);
    Page->setSearchPaths({QStringLiteral(":/manual")});
    splitter->addWidget(left);
    splitter->addWidget(Page);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    search(QString());
    connect(Search, &QLineEdit::textChanged, this, &THelpBox::search);
    connect(Contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        Page->setSource(QUrl(QStringLiteral("qrc:/manual/") + Contents->item(row)->data(Qt::UserRole).toString()));
    });
    Page->setSource(QUrl(QStringLiteral("qrc:/manual/index.html")));
    resize(820, 560);
}

void THelpBox::search(const QString& words) {
    Contents->clear();
    const QStringList wanted = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& page : pages()) {
        const QString text = pageText(page);
        bool all = true;
        for (const QString& w : wanted) all = all && text.contains(w, Qt::CaseInsensitive);
        if (!all) continue;
        auto* item = new QListWidgetItem(pageTitle(page), Contents);
        item->setData(Qt::UserRole, page);
    }
    if (!wanted.isEmpty() && Contents->count() > 0) {
        Contents->setCurrentRow(0);
        Page->find(wanted.first());
    }
}
