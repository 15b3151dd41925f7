// Options read at start and written at exit, new documents, Save All, the
// recent-file list, the tab set, dropped files and printing.
#include "app/mainform.h"
#include "app/documents.h"
#include "app/mrufilelist.h"
#include "base/settings.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"
#include "widgets/filedrag.h"
#include "widgets/tabset.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#define EXPECT_VALUE(store, key, name, value) \
    QCOMPARE(QString::fromStdString((store).read(key, name).value_or("<missing>")), QStringLiteral(value))

using uitest::readFile;
using uitest::writeFile;

class FilesTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QTemporaryDir> config;

    QString path(const QString& name) const { return dir->filePath(name); }
    QString confPath() const { return config->filePath(QStringLiteral("Taviron/Taviron.conf")); }
    void startFrame(const QStringList& args = {}) {
        frame = std::make_unique<TMainForm>(args, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    // Ends the frame as the program does at exit: its options are written.
    void endFrame() {
        for (TMDIChild* c : frame->documents()) c->view()->SetModified(false);
        frame->close();
        frame.reset();
    }
    void closeDoc(TMDIChild* c) { qobject_cast<QMdiSubWindow*>(c->parentWidget())->close(); }
    QStringList recentCaptions() {
        QStringList out;
        if (QMenu* m = frame->MRUFileList1->submenu())
            for (QAction* a : m->actions()) out << a->text();
        return out;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
        qputenv("TAVIRON_HOME", dir->filePath(QStringLiteral("home")).toLocal8Bit());
        // No browsers to find: the first start writes no option values.
        qputenv("PATH", dir->filePath(QStringLiteral("nothing")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        if (frame) endFrame();
        prompts.reset();
    }

    void firstStartUsesDefaultsAndExitWritesTheAlwaysValues() {
        startFrame();
        // Without stored bounds the frame takes 80% of the screen, centred.
        const QRect area = frame->screen()->availableGeometry();
        QCOMPARE(frame->size(), QSize(area.width() * 4 / 5, area.height() * 4 / 5));
        QCOMPARE(frame->pos(), area.topLeft() + QPoint(area.width() - frame->width(), area.height() - frame->height()) / 2);
        QVERIFY(!frame->isMaximized());
        QVERIFY(frame->statusBar()->isVisible());
        QVERIFY(frame->WordWrap1->isChecked());
        QVERIFY(frame->TabPanel->isHidden());
        QCOMPARE(frame->settings().textExt, (std::vector<std::string>{"html", "htm", "shtml", "txt"}));
        endFrame();
        const tv::IniStore st(confPath().toStdString());
        EXPECT_VALUE(st, "Settings", "WindowState", "Normal");
        QCOMPARE(QString::fromStdString(st.read("Settings", "Width").value_or("")), QString::number(area.width() * 4 / 5));
        EXPECT_VALUE(st, "Settings", "WordWrap", "1");
        EXPECT_VALUE(st, "Options", "OL", "<OL>");
        EXPECT_VALUE(st, "Toolbars/MainTbar", "DockedTo", "Docktop");
        for (const char* step2 : {"DateFormat", "FontSize", "FontName", "TextExt", "ColorCode"})
            QVERIFY2(!st.read("Settings", step2), step2);
        QVERIFY(st.values("Browsers").empty());
    }

    void storedOptionsAreApplied() {
        QDir().mkpath(QFileInfo(confPath()).path());
        writeFile(confPath(), "[Settings]\nFontSize=0x0C\nTabControl=1\nStatusBar=0\nWordWrap=0\nLeft=30\nTop=40\n"
                              "[Toolbars/TableTbar]\nVisible=1\nDockedTo=DockBottom\n");
        writeFile(path("a.html"), "a");
        startFrame({QStringLiteral("a.html")});
        TMDIChild* doc = frame->activeDocument();
        QCOMPARE(int(doc->view()->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, 0UL)), 12);
        QVERIFY(!doc->view()->WordWrapOn());
        QVERIFY(!frame->TabPanel->isHidden());
        QVERIFY(frame->statusBar()->isHidden());
        QCOMPARE(frame->pos(), QPoint(30, 40));
        QCOMPARE(frame->toolBarArea(frame->toolBars[3]), Qt::BottomToolBarArea);
        QVERIFY(!frame->toolBars[3]->isHidden());
    }

    void aFloatingToolBarComesBackFloating() {
        startFrame();
        QToolBar* bar = frame->toolBars[3];
        // Dragged by its handle out of the dock into the middle of the frame.
        QStyleOptionToolBar opt;
        opt.initFrom(bar);
        opt.features = QStyleOptionToolBar::Movable;
        opt.state |= QStyle::State_Horizontal;
        opt.toolBarArea = Qt::TopToolBarArea;
        const QRect handle = bar->style()->subElementRect(QStyle::SE_ToolBarHandle, &opt, bar);
        QVERIFY(handle.isValid());
        const QPoint grip = handle.center();
        const QPoint target = frame->mapToGlobal(frame->rect().center());
        auto send = [bar](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent e(type, QPointF(bar->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
            QApplication::sendEvent(bar, &e);
        };
        const QPoint from = bar->mapToGlobal(grip);
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        // Straight down out of the bar first: that tears it off its dock.
        send(QEvent::MouseMove, from + QPoint(0, bar->height() + 30), Qt::NoButton, Qt::LeftButton);
        for (int step = 1; step <= 10; ++step)
            send(QEvent::MouseMove, from + (target - from) * step / 10, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
        QTRY_VERIFY(bar->isFloating());
        const QRect floating = bar->geometry();
        endFrame();
        const tv::IniStore st(confPath().toStdString());
        EXPECT_VALUE(st, "Toolbars/TableTbar", "DockedTo", "nil");
        EXPECT_VALUE(st, "Toolbars/TableTbar", "Visible", "1");  // taken before the close hid it
        startFrame();
        bar = frame->toolBars[3];
        QTRY_VERIFY(bar->isFloating());
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->geometry().topLeft(), floating.topLeft());
        QVERIFY(!frame->toolBars[0]->isFloating());
    }

    void maximizedFrameKeepsItsNormalBounds() {
        QDir().mkpath(QFileInfo(confPath()).path());
        writeFile(confPath(), "[Settings]\nWidth=640\nHeight=480\n");
        startFrame();
        frame->showMaximized();
        QTRY_VERIFY(frame->isMaximized());
        endFrame();
        const tv::IniStore st(confPath().toStdString());
        EXPECT_VALUE(st, "Settings", "WindowState", "Maximized");
        EXPECT_VALUE(st, "Settings", "Width", "640");
        EXPECT_VALUE(st, "Settings", "Height", "480");
    }

    void fileMenuOrder() {
        startFrame();
        QStringList captions;
        for (QAction* a : frame->File1->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{"&New", "&Open...", "&Close", "&Preview...", "-", "&Save", "Save &As...", "Save A&ll", "&Encoding", "-",
                                        "Print...", "Print Setup...", "-", "E&xit"}));
        QCOMPARE(frame->Blank1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(frame->Print1->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
        QCOMPARE(frame->NewBtn->toolTip(), QStringLiteral("New"));
        QCOMPARE(frame->NewBtn->statusTip(), QStringLiteral("Create a new document"));
        QVERIFY(!frame->Print1->isEnabled());
        QVERIFY(!frame->SaveAll1->isEnabled());
    }

    void newDocumentsAreNumbered() {
        startFrame();
        QTest::keySequence(frame.get(), QKeySequence(Qt::CTRL | Qt::Key_N));
        TMDIChild* first = frame->activeDocument();
        QVERIFY(first);
        QCOMPARE(first->FileName(), QStringLiteral("Untitled 0"));
        QVERIFY(first->IsUntitled());
        QVERIFY(!first->view()->Modified());
        closeDoc(first);
        // By default the New button asks in the new-document dialog.
        prompts->dialogResults.push_back(QDialog::Accepted);
        frame->NewBtn->trigger();
        QCOMPARE(prompts->dialogsRun, QStringList{QStringLiteral("TNewDoc")});
        QCOMPARE(frame->activeDocument()->FileName(), QStringLiteral("Untitled 1"));
        closeDoc(frame->activeDocument());
        QVERIFY(frame->MRUFileList1->items().isEmpty());  // untitled documents are not remembered
    }

    void saveAllSavesModifiedTitledDocumentsOnly() {
        writeFile(path("a.html"), "a");
        writeFile(path("b.html"), "b");
        startFrame({QStringLiteral("a.html"), QStringLiteral("b.html")});
        const auto docs = frame->documents();
        docs[0]->view()->SetSel(0, 0);
        docs[0]->view()->ReplaceSelection("1");
        writeFile(path("b.html"), "changed on disk");  // b is not modified: it must not be rewritten
        TMDIChild* untitled = frame->docs()->NewFile();
        untitled->view()->ReplaceSelection("new");
        frame->SaveAll1->trigger();
        QCOMPARE(readFile(path("a.html")), QByteArray("1a"));
        QCOMPARE(readFile(path("b.html")), QByteArray("changed on disk"));
        QVERIFY(prompts->saveRequests.empty());
        QVERIFY(untitled->view()->Modified());
        QVERIFY(!docs[0]->view()->Modified());
    }

    void recentFilesFlow() {
        for (int i = 0; i < 12; ++i) writeFile(path(QStringLiteral("f%1.html").arg(i)), "x");
        startFrame();
        TMDIChild* doc = frame->OpenDocument(path("f0.html"));
        closeDoc(doc);
        QCOMPARE(frame->MRUFileList1->items(), QStringList{path("f0.html")});
        QCOMPARE(recentCaptions(), QStringList{"&0 " + path("f0.html")});
        QCOMPARE(frame->MRUFileList1->submenu()->title(), QStringLiteral("Open &Recent"));
        QCOMPARE(frame->OpenDropDown->actions().first()->text(), QStringLiteral("&f0.html"));
        // Choosing it reopens the file and takes the entry away.
        frame->MRUFileList1->submenu()->actions().first()->trigger();
        QCOMPARE(frame->activeDocument()->FileName(), path("f0.html"));
        QVERIFY(frame->MRUFileList1->items().isEmpty());
        QVERIFY(!frame->MRUFileList1->submenu());
        closeDoc(frame->activeDocument());
        // Eleven names: the oldest goes.
        for (int i = 1; i <= 10; ++i) closeDoc(frame->OpenDocument(path(QStringLiteral("f%1.html").arg(i))));
        QCOMPARE(frame->MRUFileList1->items().size(), 10);
        QCOMPARE(frame->MRUFileList1->items().first(), path("f10.html"));
        QVERIFY(!frame->MRUFileList1->items().contains(path("f0.html")));
        // An entry whose file is gone stays, disabled.
        QFile::remove(path("f10.html"));
        frame->MRUFileList1->RebuildMenu();
        QVERIFY(!frame->MRUFileList1->submenu()->actions().first()->isEnabled());
        QVERIFY(frame->MRUFileList1->submenu()->actions().at(1)->isEnabled());
        endFrame();
        const tv::IniStore st(confPath().toStdString());
        const auto values = st.values("MRU List");
        QCOMPARE(values.size(), std::size_t(10));
        QCOMPARE(QString::fromStdString(values[0].first), QStringLiteral("F0"));
        QCOMPARE(QString::fromStdString(values[0].second), path("f10.html"));
        QCOMPARE(QString::fromStdString(values[9].second), path("f1.html"));
        // The next start reads them back, and opens its dialog in the newest's folder.
        startFrame();
        QCOMPARE(frame->MRUFileList1->items().size(), 10);
        QCOMPARE(frame->openDialogFolder(), dir->path());
    }

    void tabsFollowTheDocuments() {
        writeFile(path("a.html"), "a");
        writeFile(path("A.html"), "b");  // another page: letter case counts
        startFrame({QStringLiteral("a.html"), QStringLiteral("A.html")});
        TTabSet* tabs = frame->TabSet1;
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), path("a.html"));
        QCOMPARE(tabs->currentIndex(), 1);
        const auto docs = frame->documents();
        QVERIFY(!tabs->isModified(0));
        const int plainWidth = tabs->tabRect(0).width();
        docs[0]->view()->SetSel(0, 0);
        docs[0]->view()->ReplaceSelection("x");
        QVERIFY(tabs->isModified(0));
        QCOMPARE(tabs->tabRect(0).width(), plainWidth + 10);  // room for the blue square
        tabs->setCurrentIndex(0);
        QCOMPARE(frame->activeDocument(), docs[0]);
        frame->docs()->SaveDocument(docs[0], true);
        QVERIFY(!tabs->isModified(0));
        closeDoc(docs[0]);
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), path("A.html"));
        frame->TabControl1->trigger();
        QCOMPARE(frame->TabPanel->isHidden(), !frame->TabControl1->isChecked());
    }

    void droppedFilesOpenAndAnUnreadableOneIsReported() {
        writeFile(path("a.html"), "a");
        writeFile(path("c.html"), "c");
        startFrame();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path("a.html")), QUrl::fromLocalFile(QStringLiteral("/proc/self/mem")),
                      QUrl::fromLocalFile(path("c.html"))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &drop);
        QCOMPARE(frame->FileDrag1->FileCount, 3);
        QCOMPARE(frame->FileDrag1->NameOnly, (QStringList{"a.html", "mem", "c.html"}));
        QCOMPARE(frame->FileDrag1->Extension, (QStringList{"html", "", "html"}));
        QStringList open;
        for (TMDIChild* c : frame->documents()) open << c->caption();
        QCOMPARE(open, (QStringList{"a.html", "c.html"}));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text,
                 QStringLiteral("Error opening file /proc/self/mem\r\n\r\nCheck the file path and try again."));
        QCOMPARE(frame->openDialogFolder(), dir->path());
    }

    void printWritesTheDocument() {
        writeFile(path("a.html"), "<p>print me</p>");
        startFrame({QStringLiteral("a.html")});
        frame->Print1->trigger();  // cancelled
        QCOMPARE(prompts->printDialogs, 1);
        prompts->printToFile = path("out.pdf");
        frame->Print1->trigger();
        QVERIFY(QFileInfo(path("out.pdf")).size() > 0);
        frame->PrintSetup1->trigger();
        QCOMPARE(prompts->pageSetupDialogs, 1);
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
