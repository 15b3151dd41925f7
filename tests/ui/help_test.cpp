// The manual: every menu command is described, and Help shows and searches it.
#include "app/aboutbox.h"
#include "app/helpbox.h"
#include "app/documents.h"
#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QWidgetAction>

class HelpTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

    static QString plain(QString caption) {
        caption.remove(QLatin1Char('&'));
        if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
        return caption.trimmed();
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit()); }

    void everyMenuCommandIsInTheManual() {
        QFile f(QStringLiteral(":/manual/menus.html"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList headings;
        const QString page = QString::fromUtf8(f.readAll());
        auto it = QRegularExpression(QStringLiteral("<h[23][^>]*>([^<]*)")).globalMatch(page);
        while (it.hasNext()) headings << it.next().captured(1).trimmed();
        TestPrompter prompts;
        TMainForm frame({}, dir.path());
        frame.show();
        frame.docs()->NewFile();  // the document's menus are in the menu bar while it is active
        QStringList missing;
        for (QAction* top : frame.menuBar()->actions()) {
            if (!top->isVisible() || !top->menu()) continue;
            if (!headings.contains(plain(top->text()))) missing << plain(top->text());
            for (QAction* a : top->menu()->actions()) {
                if (a->isSeparator() || !a->isVisible()) continue;
                const QString name = plain(a->text());
                // The New submenu's item is described as "New > Blank".
                if (a->menu() && name == QStringLiteral("New")) continue;
                if (!headings.contains(name) && !headings.contains(QStringLiteral("New > ") + name)) missing << name;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void helpShowsAndSearchesTheManual() {
        TestPrompter prompts;
        TMainForm frame({}, dir.path());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTest::keySequence(&frame, QKeySequence(Qt::Key_F1));
        THelpBox* help = frame.helpBox();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->Contents->count(), THelpBox::pages().size());
        QVERIFY(help->Page->toPlainText().contains(QStringLiteral("Taviron")));
        help->Search->setText(QStringLiteral("symbolic link"));
        QVERIFY(help->Contents->count() >= 1);
        QVERIFY(help->Contents->count() < THelpBox::pages().size());
        help->Search->setText(QStringLiteral("xyzzy-nowhere"));
        QCOMPARE(help->Contents->count(), 0);
    }

    void everyToolButtonHasAPicture() {
        TestPrompter prompts;
        TMainForm frame({}, dir.path());
        for (QToolBar* bar : frame.toolBars)
            for (QAction* a : bar->actions())
                if (!a->isSeparator() && !qobject_cast<QWidgetAction*>(a))
                    QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        QVERIFY(!frame.windowIcon().isNull());
        TAboutBox about;
        about.setOwnerName(QStringLiteral("Ann"));
        QCOMPARE(about.ownerName(), QStringLiteral("Ann"));
        QVERIFY(about.findChildren<QLabel*>().size() >= 5);
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
