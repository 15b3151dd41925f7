#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"
#include <QMenuBar>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

static void dumpMenu(QMenu* m, const QString& path, QStringList& out) {
    emit m->aboutToShow();
    for (QAction* a : m->actions()) {
        if (a->isSeparator()) { out << path + " | ---"; continue; }
        out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | tip=%6 | chk=%7 | en=%8 | vis=%9")
                   .arg(path, a->objectName(), a->text(), a->shortcut().toString(), a->statusTip(), a->toolTip())
                   .arg(a->isCheckable()).arg(a->isEnabled()).arg(a->isVisible());
        if (a->menu()) dumpMenu(a->menu(), path + " > " + a->text(), out);
    }
}
static QStringList dumpFrame(TMainForm& f) {
    QStringList out;
    for (QAction* a : f.menuBar()->actions()) {
        out << "MENUBAR " + a->text();
        if (a->menu()) dumpMenu(a->menu(), a->text(), out);
    }
    for (QToolBar* b : f.findChildren<QToolBar*>()) {
        for (QAction* a : b->actions()) {
            if (a->isSeparator()) { out << b->objectName() + " | ---"; continue; }
            out << QStringLiteral("%1 | %2 | %3 | tip=%4 | %5 | en=%6").arg(b->objectName(), a->objectName(), a->text(), a->toolTip(), a->statusTip()).arg(a->isEnabled());
        }
    }
    return out;
}
class Dump : public QObject {
    Q_OBJECT
private slots:
    void dump() {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
        TestPrompter p;
        uitest::writeFile(dir.filePath("a.html"), "<p>x</p>");
        QStringList out;
        {
            auto f = std::make_unique<TMainForm>(QStringList{}, dir.path());
            f->show();
            QVERIFY(QTest::qWaitForWindowExposed(f.get()));
            out << "=== no document" << dumpFrame(*f);
            f->OpenDocument(dir.filePath("a.html"));
            QCoreApplication::processEvents();
            out << "=== one document" << dumpFrame(*f);
            TMDIChild* c = f->activeDocument();
            QMenu* ctx = c->findChild<QMenu*>("PopupMenu1");
            out << "=== context";
            dumpMenu(ctx, "ctx", out);
            uitest::discardFrame(f);
        }
        QFile file(qEnvironmentVariable("DUMP_TO"));
        file.open(QIODevice::WriteOnly);
        file.write(out.join("\n").toUtf8());
    }
};
QTEST_MAIN(Dump)
#include "menudump.moc"
