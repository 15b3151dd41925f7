// The frame: opening from the command line and the open dialog, saving with
// the file's own line ends, Save As, the close prompt, shutdown, and the
// hand-over of a second start.
#include "app/aboutbox.h"
#include "app/mainform.h"
#include "app/documents.h"
#include "app/singleinstance.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <unistd.h>
#include <QScopeGuard>
#include <QTimer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using uitest::readFile;
using uitest::writeFile;

class FrameTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    QTemporaryDir runtime;

    QString path(const QString& name) const { return dir->filePath(name); }
    void startFrame(const QStringList& args = {}) {
        frame = std::make_unique<TMainForm>(args, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void edit(TMDIChild* c, const char* typed) {
        c->view()->setFocus();
        QTest::keyClicks(c->view(), typed);
    }
    QString runTaviron(const QStringList& args, int* exitCode = nullptr) {
        QProcess p;
        p.setWorkingDirectory(dir->path());
        p.start(qEnvironmentVariable("TAVIRON_EXE"), args);
        if (!p.waitForStarted(5000)) return QStringLiteral("not started");
        QSignalSpy done(&p, &QProcess::finished);
        if (!done.wait(15000)) {
            p.kill();
            p.waitForFinished();
            return QStringLiteral("still running");
        }
        if (exitCode) *exitCode = p.exitCode();
        return p.exitStatus() == QProcess::NormalExit ? QStringLiteral("exited") : QStringLiteral("crashed");
    }

private slots:
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", runtime.filePath(QStringLiteral("config")).toLocal8Bit());
        QVERIFY(!qEnvironmentVariableIsEmpty("TAVIRON_EXE"));
    }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
        dir.reset();
    }

    void opensTheFilesNamedOnTheCommandLine() {
        writeFile(path("page.html"), "<p>hi</p>\n");
        writeFile(path("-x"), "not an option");
        startFrame({QStringLiteral("-x"), QString(), QStringLiteral("./sub/../page.html")});
        const auto docs = frame->documents();
        QCOMPARE(docs.size(), std::size_t(1));
        QCOMPARE(docs[0]->FileName(), path("page.html"));
        QCOMPARE(docs[0]->caption(), QStringLiteral("page.html"));
        QCOMPARE(QByteArray::fromStdString(docs[0]->view()->Text()), QByteArray("<p>hi</p>\r\n"));
        QVERIFY(!docs[0]->view()->Modified());
        QVERIFY(!frame->SaveBtn->isEnabled());
        QVERIFY(prompts->questions.empty());
    }

    void aNameThatDoesNotExistOpensANewPage() {
        startFrame({QStringLiteral("missing.html"), QStringLiteral("nofolder/x.html")});
        QCOMPARE(frame->documents().size(), std::size_t(1));
        TMDIChild* doc = frame->activeDocument();
        QCOMPARE(doc->FileName(), path("missing.html"));
        QVERIFY(!QFile::exists(path("missing.html")));  // written only when saved
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text, QStringLiteral("Cannot open %1: the folder %2 does not exist.")
                                                 .arg(path("nofolder/x.html"), path("nofolder")));
        edit(doc, "new page");
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path("missing.html")), QByteArray("new page"));
        QVERIFY(prompts->questions.size() == 1);
    }

    void findDocumentComparesNamesExactly() {
        writeFile(path("page.html"), "a");
        writeFile(path("Page.html"), "b");
        startFrame();
        TMDIChild* a = frame->OpenDocument(path("page.html"));
        TMDIChild* other = frame->OpenDocument(path("Page.html"));
        QVERIFY(a && other && a != other);
        QCOMPARE(frame->OpenDocument(path("page.html")), a);
        QCOMPARE(frame->activeDocument(), a);
        QCOMPARE(frame->documents().size(), std::size_t(2));
        QVERIFY(!frame->OpenDocument(path("project.vkp")));
    }

    void openDialogOpensTheChosenFile() {
        writeFile(path("chosen.htm"), "x");
        startFrame();
        prompts->opens.push_back(path("chosen.htm"));
        frame->Open1->trigger();
        QCOMPARE(prompts->openRequests.size(), std::size_t(1));
        QCOMPARE(prompts->openRequests[0].title, QStringLiteral("Open Document"));
        QVERIFY(prompts->openRequests[0].filter.startsWith(QStringLiteral("HTML files|*.html; *.htm")));
        QVERIFY(frame->activeDocument());
        QCOMPARE(frame->activeDocument()->FileName(), path("chosen.htm"));
    }

    void closePromptAnswers_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::newRow("Cancel keeps the window") << int(Prompter::Cancel) << false << QByteArray("old\n");
        QTest::newRow("No closes without saving") << int(Prompter::No) << true << QByteArray("old\n");
        QTest::newRow("Yes saves and closes") << int(Prompter::Yes) << true << QByteArray("new old\n");
    }
    void closePromptAnswers() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QByteArray, onDisk);
        writeFile(path("page.html"), "old\n");
        startFrame({QStringLiteral("page.html")});
        TMDIChild* doc = frame->activeDocument();
        edit(doc, "new ");
        prompts->answers.push_back(static_cast<Prompter::Button>(answer));
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_W));
        QCoreApplication::processEvents();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        const auto& q = prompts->questions[0];
        QCOMPARE(q.caption, QStringLiteral("Taviron"));
        QCOMPARE(q.text, QStringLiteral("Save changes to page.html?"));
        QCOMPARE(q.buttons, int(Prompter::Yes | Prompter::No | Prompter::Cancel));
        QVERIFY(q.icon == Prompter::Icon::Question);
        QCOMPARE(frame->documents().empty(), closed);
        QCOMPARE(readFile(path("page.html")), onDisk);
    }

    void closingAnUnmodifiedDocumentAsksNothing() {
        writeFile(path("page.html"), "x");
        startFrame({QStringLiteral("page.html")});
        frame->Close1->trigger();
        QCoreApplication::processEvents();
        QVERIFY(frame->documents().empty());
        QVERIFY(prompts->questions.empty());
        QVERIFY(!frame->Close1->isEnabled());
        QCOMPARE(frame->statusPanel(0), QString());
    }

    void saveKeepsTheFilesLineEnds_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArray("Xa\nb\n");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("Xa\r\nb\r\n");
        QTest::newRow("mixed stays as it was") << QByteArray("a\r\nb\nc\r") << QByteArray("Xa\r\nb\nc\r");
        QTest::newRow("all 256 bytes") << QByteArray() << QByteArray();
    }
    void saveKeepsTheFilesLineEnds() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, saved);
        if (content.isEmpty()) {
            for (int i = 0; i < 256; ++i)
                if (i != '\r' && i != '\n') content += static_cast<char>(i);
            saved = "X" + content;
        }
        writeFile(path("page.html"), content);
        startFrame({QStringLiteral("page.html")});
        TMDIChild* doc = frame->activeDocument();
        doc->view()->SetSelStart(0);
        edit(doc, "X");
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path("page.html")), saved);
        QVERIFY(!doc->view()->Modified());
        QVERIFY(!frame->SaveBtn->isEnabled());
    }

    void saveAsExtensionRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("savedAs");
        QTest::newRow("filter 1 adds l") << "page.htm" << 1 << "page.html";
        QTest::newRow("filter 3 adds ml") << "page.sht" << 3 << "page.shtml";
        QTest::newRow("filter 2 keeps .htm") << "page.htm" << 2 << "page.htm";
        QTest::newRow("filter 1 keeps .html") << "page.html" << 1 << "page.html";
    }
    void saveAsExtensionRules() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, savedAs);
        writeFile(path("orig.txt"), "text");
        startFrame({QStringLiteral("orig.txt")});
        TMDIChild* doc = frame->activeDocument();
        prompts->saves.push_back({path(typed), filter});
        frame->SaveAs1->trigger();
        QCOMPARE(prompts->saveRequests.size(), std::size_t(1));
        QCOMPARE(prompts->saveRequests[0].fileName, path("orig.txt"));
        QCOMPARE(prompts->saveRequests[0].defaultSuffix, QStringLiteral("htm"));
        QCOMPARE(doc->FileName(), path(savedAs));
        QCOMPARE(doc->caption(), savedAs);
        QCOMPARE(readFile(path(savedAs)), QByteArray("text"));
    }

    void saveAsRulesHoldInTheRealFileDialog_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("savedAs");
        QTest::newRow("filter 1 adds l") << "newpage.htm" << 0 << "newpage.html";
        QTest::newRow("filter 3 adds ml") << "x.sht" << 2 << "x.shtml";
        QTest::newRow("filter 2 keeps .htm") << "y.htm" << 1 << "y.htm";
    }
    void saveAsRulesHoldInTheRealFileDialog() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, savedAs);
        // Questions are answered by the script; the file dialog is the real one.
        class RealSaveDialog : public TestPrompter {
        public:
            std::optional<SaveAnswer> saveFileName(QWidget* parent, const SaveRequest& r) override {
                saveRequests.push_back(r);
                return systemPrompter().saveFileName(parent, r);
            }
        };
        writeFile(path("orig.txt"), "text");
        writeFile(path("newpage.html"), "older");
        startFrame({QStringLiteral("orig.txt")});
        RealSaveDialog real;
        const auto restore = qScopeGuard([this] { setPrompter(prompts.get()); });
        real.answers = {Prompter::Yes};  // replace newpage.html
        QTimer::singleShot(100, this, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->selectNameFilter(dlg->nameFilters().at(filter));
            dlg->setDirectory(dir->path());
            dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            QMetaObject::invokeMethod(dlg, "accept");
        });
        frame->SaveAs1->trigger();
        QCOMPARE(real.saveRequests.size(), std::size_t(1));
        QCOMPARE(frame->activeDocument()->FileName(), path(savedAs));
        QCOMPARE(readFile(path(savedAs)), QByteArray("text"));
        QCOMPARE(real.questions.size(), std::size_t(savedAs == QStringLiteral("newpage.html") ? 1 : 0));
    }

    void saveAsOfANewDocumentStartsWhereTheLastFileWas() {
        class RealSaveDialog : public TestPrompter {
        public:
            std::optional<SaveAnswer> saveFileName(QWidget* parent, const SaveRequest& r) override {
                return systemPrompter().saveFileName(parent, r);
            }
        };
        QDir().mkpath(path("site/pages"));
        writeFile(path("site/pages/old.html"), "old");
        startFrame();
        RealSaveDialog real;
        const auto restore = qScopeGuard([this] { setPrompter(prompts.get()); });
        real.opens.push_back(path("site/pages/old.html"));
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(frame->activeDocument());
        QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(frame->activeDocument()->IsUntitled());
        QString startedIn;
        QTimer::singleShot(100, this, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dlg) return;
            startedIn = dlg->directory().absolutePath();
            dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("new.html"));
            QMetaObject::invokeMethod(dlg, "accept");
        });
        frame->SaveAs1->trigger();
        QCOMPARE(startedIn, path("site/pages"));
        QCOMPARE(frame->activeDocument()->FileName(), path("site/pages/new.html"));
    }

    void aNewViewShowsTheOneDocument() {
        writeFile(path("page.html"), "<p>one</p>\r\n<p>two</p>\r\n");
        startFrame({QStringLiteral("page.html")});
        TMDIChild* first = frame->activeDocument();
        first->view()->SetSel(3, 0);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        // Window > New View, from the menu bar with the keyboard.
        QTest::keyClick(frame.get(), Qt::Key_W, Qt::AltModifier);
        QMenu* window = frame->findChild<QMenu*>(QStringLiteral("Window1"));
        QTRY_VERIFY(window->isVisible());
        QTest::keyClick(window, Qt::Key_N);
        QTRY_COMPARE(frame->documents().size(), std::size_t(2));
        QTRY_VERIFY(!window->isVisible());
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        TMDIChild* second = frame->activeDocument();
        QVERIFY(second != first);
        QCOMPARE(first->windowTitle(), QStringLiteral("page.html:1"));
        QCOMPARE(second->windowTitle(), QStringLiteral("page.html:2"));
        QCOMPARE(second->tabText(), path("page.html") + QStringLiteral(":2"));
        // Typing in one shows in the other; each keeps its own caret.
        second->view()->SetSel(15, 0);
        edit(second, "new");
        QCOMPARE(first->view()->Text(), std::string("<p>one</p>\r\n<p>newtwo</p>\r\n"));
        QCOMPARE(first->view()->SelStart(), 3);
        QCOMPARE(second->view()->SelStart(), 18);
        QVERIFY(first->view()->Modified());
        // One undo list: Ctrl+Z in the first view takes back the typing in the second.
        first->view()->setFocus();
        QTest::keySequence(first->view(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(second->view()->Text(), std::string("<p>one</p>\r\n<p>two</p>\r\n"));
        QCOMPARE(first->view()->SelStart(), 15);  // the view that undid shows where
        edit(first, "x");
        // Saving from either saves the one document.
        QTest::keySequence(second->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path("page.html")), QByteArray("<p>one</p>\r\n<p>xtwo</p>\r\n"));
        QVERIFY(!first->view()->Modified());
        // Closing a view keeps the document, and asks nothing though it is modified.
        second->view()->SetSel(3, 0);
        edit(second, "y");
        QTest::keySequence(second->view(), QKeySequence(Qt::CTRL | Qt::Key_W));
        QTRY_COMPARE(frame->documents().size(), std::size_t(1));
        QVERIFY(prompts->questions.empty());
        QTRY_COMPARE(first->windowTitle(), QStringLiteral("page.html"));
        QCOMPARE(first->view()->Text(), std::string("<p>yone</p>\r\n<p>xtwo</p>\r\n"));
        // The last one asks, once.
        prompts->answers.push_back(Prompter::No);
        first->view()->setFocus();
        QTRY_COMPARE(frame->activeDocument(), first);
        QTest::keySequence(first->view(), QKeySequence(Qt::CTRL | Qt::Key_W));
        QTRY_COMPARE(frame->documents().size(), std::size_t(0));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
    }

    void answeringNoToReplaceKeepsTheOldName() {
        writeFile(path("orig.txt"), "text");
        writeFile(path("page.html"), "precious");
        startFrame({QStringLiteral("orig.txt")});
        TMDIChild* doc = frame->activeDocument();
        edit(doc, "more ");
        prompts->saves.push_back({path("page.htm"), 1});
        prompts->answers.push_back(Prompter::No);
        QVERIFY(!frame->docs()->SaveAs(doc));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text,
                 path("page.html") + QStringLiteral("\r\nThis file already exists.\r\n\r\nReplace existing file?"));
        QCOMPARE(prompts->questions[0].defaultButton, Prompter::No);
        QCOMPARE(doc->FileName(), path("orig.txt"));
        QVERIFY(doc->view()->Modified());
        QCOMPARE(readFile(path("page.html")), QByteArray("precious"));
        QVERIFY(!QFileInfo::exists(path("page.htm")));
    }

    void cancelledSaveDialogStopsTheClose() {
        writeFile(path("Untitled 3"), "x");  // a name that marks a never-saved document
        startFrame({QStringLiteral("Untitled 3")});
        TMDIChild* doc = frame->activeDocument();
        doc->SetFileName(QStringLiteral("Untitled 3"));
        QVERIFY(doc->IsUntitled());
        edit(doc, "y");
        prompts->answers.push_back(Prompter::Yes);  // save? yes - then the dialog is cancelled
        frame->Close1->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(prompts->saveRequests.size(), std::size_t(1));
        QCOMPARE(frame->documents().size(), std::size_t(1));
    }

    void failedWriteKeepsTheOldFileAndTheModifiedMark() {
        writeFile(path("page.html"), "old content\n");
        startFrame({QStringLiteral("page.html")});
        TMDIChild* doc = frame->activeDocument();
        edit(doc, "new ");
        doc->view()->SetText(std::string(100000, 'z'));
        // A file size limit makes the write fail the way a full disk does.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = frame->docs()->SaveDocument(doc, true);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!saved);
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QVERIFY(prompts->questions[0].text.contains(QStringLiteral("File too large")));
        QCOMPARE(readFile(path("page.html")), QByteArray("old content\n"));
        QVERIFY(doc->view()->Modified());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temporary left
        // A close answered Yes whose save fails keeps the window.
        prompts->answers.push_back(Prompter::Yes);
        setrlimit(RLIMIT_FSIZE, &small);
        doc->parentWidget()->close();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(frame->documents().size(), std::size_t(1));
    }

    void saveKeepsLinksAndPermissions() {
        QDir(dir->path()).mkdir(QStringLiteral("real"));
        writeFile(path("real/target.html"), "one\n");
        QVERIFY(QFile::link(QStringLiteral("real/target.html"), path("link.html")));
        chmod(path("real/target.html").toLocal8Bit().constData(), 0640);
        startFrame({QStringLiteral("link.html")});
        TMDIChild* doc = frame->activeDocument();
        edit(doc, "two ");
        QVERIFY(frame->docs()->SaveDocument(doc, true));
        QVERIFY(QFileInfo(path("link.html")).isSymLink());
        QCOMPARE(readFile(path("real/target.html")), QByteArray("two one\n"));
        struct stat st {};
        stat(path("real/target.html").toLocal8Bit().constData(), &st);
        QCOMPARE(int(st.st_mode & 0777), 0640);
    }

    void readOnlyAndLinkedFilesKeepWhatTheyAre() {
        writeFile(path("ro.html"), "kept");
        QFile::setPermissions(path("ro.html"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        writeFile(path("a.html"), "a");
        QVERIFY(::link(path("a.html").toLocal8Bit().constData(), path("b.html").toLocal8Bit().constData()) == 0);
        startFrame({QStringLiteral("ro.html"), QStringLiteral("a.html")});
        TMDIChild* ro = frame->documents()[0];
        TMDIChild* linked = frame->documents()[1];
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(ro->parentWidget()));
        edit(ro, "lost? ");
        QTest::keySequence(ro->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text, QStringLiteral("ro.html is read-only."));
        QVERIFY(ro->view()->Modified());
        QCOMPARE(readFile(path("ro.html")), QByteArray("kept"));
        // Save As still works.
        prompts->saves.push_back({path("copy.html"), 6});
        frame->SaveAs1->trigger();
        QCOMPARE(readFile(path("copy.html")), QByteArray("lost? kept"));
        QVERIFY(!ro->view()->Modified());
        // A file with two names is rewritten, so both names see the change.
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(linked->parentWidget()));
        edit(linked, "b");
        QTest::keySequence(linked->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path("b.html")), QByteArray("ba"));
        QVERIFY(!linked->view()->Modified());
    }

    void outsideChangesAreNeverLostSilently() {
        writeFile(path("ext.html"), "first");
        startFrame({QStringLiteral("ext.html")});
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        TMDIChild* doc = frame->activeDocument();
        TvokRich* ed = doc->view();
        auto lookAgain = [&] {
            ed->clearFocus();
            ed->setFocus();
            QCoreApplication::processEvents();
        };
        lookAgain();
        // Unmodified: read again at once, and said so.
        writeFile(path("ext.html"), "changed outside");
        lookAgain();
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("changed outside"));
        QVERIFY(!ed->Modified());
        QVERIFY(frame->statusPanel(1).contains(QStringLiteral("ext.html has been changed by another program")));
        QVERIFY(prompts->questions.empty());
        // Modified: asked; No keeps the editor's text and is not asked again.
        ed->SetSelStart(0);
        QTest::keyClicks(ed, "mine ");
        writeFile(path("ext.html"), "third");
        prompts->answers = {Prompter::No};
        lookAgain();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text,
                 QStringLiteral("ext.html has been changed by another program. Reload it and lose your changes?"));
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("mine changed outside"));
        lookAgain();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        // Saving over the changed file asks; No writes nothing.
        prompts->answers = {Prompter::No};
        QTest::keySequence(ed, QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(prompts->questions.size(), std::size_t(2));
        QCOMPARE(prompts->questions[1].text,
                 QStringLiteral("ext.html has been changed by another program since it was opened. Save over it?"));
        QCOMPARE(readFile(path("ext.html")), QByteArray("third"));
        QVERIFY(ed->Modified());
        prompts->answers = {Prompter::Yes};
        QTest::keySequence(ed, QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path("ext.html")), QByteArray("mine changed outside"));
        QVERIFY(!ed->Modified());
        // Modified again, changed outside again: Yes reads the file.
        QTest::keyClicks(ed, "x");
        writeFile(path("ext.html"), "fourth version");
        prompts->answers = {Prompter::Yes};
        lookAgain();
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("fourth version"));
        QVERIFY(!ed->Modified());
        // Deleted: the document stays, marked modified.
        QFile::remove(path("ext.html"));
        lookAgain();
        QCOMPARE(frame->documents().size(), std::size_t(1));
        QVERIFY(ed->Modified());
        QVERIFY(frame->statusPanel(1).contains(QStringLiteral("deleted")));
    }

    void bigFileOpensWholeAndSavesBackByteForByte() {
        QByteArray big;
        const QByteArray line = "<p class=\"x\">Some text \xE9\x93 with markup</p>\n";
        while (big.size() < 5 * 1024 * 1024) big += line;
        writeFile(path("big.html"), big);
        startFrame({QStringLiteral("big.html")});
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(doc->view()->Length() > 5 * 1024 * 1024);  // not cut at the text limit
        doc->view()->SetModified(true);
        QVERIFY(frame->docs()->SaveDocument(doc, true));
        QVERIFY(readFile(path("big.html")) == big);
    }

    void shutdownAsksEveryModifiedDocument() {
        writeFile(path("a.html"), "a");
        writeFile(path("b.html"), "b");
        startFrame({QStringLiteral("a.html"), QStringLiteral("b.html")});
        const auto docs = frame->documents();
        QCOMPARE(frame->activeDocument(), docs[1]);
        edit(docs[0], "1");
        edit(docs[1], "2");
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(docs[1]->parentWidget()));
        // Cancel on the first stops the shutdown.
        prompts->answers = {Prompter::Cancel};
        QVERIFY(!frame->close());
        QCOMPARE(frame->documents().size(), std::size_t(2));
        // Yes for the window that is not active saves that one; No leaves b.
        prompts->answers = {Prompter::Yes, Prompter::No};
        QVERIFY(frame->close());
        QCOMPARE(readFile(path("a.html")), QByteArray("1a"));
        QCOMPARE(readFile(path("b.html")), QByteArray("b"));
    }

    void aCancelledExitForgetsEveryAnswer() {
        writeFile(path("a.html"), "a");
        writeFile(path("b.html"), "b");
        startFrame({QStringLiteral("a.html"), QStringLiteral("b.html")});
        const auto docs = frame->documents();
        edit(docs[0], "1");
        edit(docs[1], "2");
        // Ctrl+Q: No for a.html, Cancel for b.html.
        prompts->answers = {Prompter::No, Prompter::Cancel};
        QTest::keySequence(frame.get(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(prompts->questions.size(), std::size_t(2));
        QCOMPARE(frame->documents().size(), std::size_t(2));
        // a.html changes again; Ctrl+W asks once more, and Cancel keeps it.
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(docs[0]->parentWidget()));
        edit(docs[0], "3");
        prompts->answers = {Prompter::Cancel};
        QTest::keySequence(docs[0]->view(), QKeySequence(Qt::CTRL | Qt::Key_W));
        QCOMPARE(prompts->questions.size(), std::size_t(3));
        QCOMPARE(frame->documents().size(), std::size_t(2));
        QCOMPARE(QByteArray::fromStdString(docs[0]->view()->Text()), QByteArray("13a"));
    }

    void windowMenuListsAndTilesDocuments() {
        writeFile(path("a.html"), "a");
        writeFile(path("b.html"), "b");
        startFrame({QStringLiteral("a.html"), QStringLiteral("b.html")});
        emit frame->Window1->aboutToShow();
        QStringList captions;
        for (QAction* a : frame->Window1->actions())
            if (!a->isSeparator()) captions << a->text();
        QCOMPARE(captions.mid(5), (QStringList{QStringLiteral("&1 a.html"), QStringLiteral("&2 b.html")}));
        frame->TileHorizontal1->trigger();
        const auto subs = frame->mdiArea()->subWindowList();
        QCOMPARE(subs[0]->width(), subs[1]->width());
        QVERIFY(subs[0]->y() != subs[1]->y());
        frame->TileVertical1->trigger();
        QVERIFY(subs[0]->x() != subs[1]->x());
        QCOMPARE(subs[0]->height(), subs[1]->height());
    }

    void viewItemsAndAbout() {
        writeFile(path("a.html"), "a");
        startFrame({QStringLiteral("a.html")});
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(frame->WordWrap1->isChecked());
        frame->WordWrap1->trigger();
        QVERIFY(!doc->view()->WordWrapOn());
        QVERIFY(!frame->WordWrap1->isChecked());
        frame->StatusBar1->trigger();
        QVERIFY(!frame->statusBar()->isVisible());
        QCOMPARE(frame->toolBars.size(), std::size_t(9));
        QCOMPARE(frame->MainTbar->windowTitle(), QStringLiteral("Main"));
        emit frame->Toolbars1->aboutToShow();
        QVERIFY(frame->Toolbars1->actions().first()->isChecked());
        frame->Toolbars1->actions().first()->trigger();
        QVERIFY(!frame->MainTbar->isVisible());
        std::unique_ptr<QMenu> popup(frame->createPopupMenu());
        QStringList items;
        for (QAction* a : popup->actions())
            if (!a->isSeparator()) items << a->text();
        QCOMPARE(items, (QStringList{"Main &Tool Bar", "&Custom Bar", "Common &HTML", "T&ables", "&Elements",
                                     "&Style", "&Format", "&Lists", "F&orms"}));
        emit popup->aboutToShow();
        QVERIFY(!popup->actions().first()->isChecked());
        TAboutBox about(frame.get());
        frame->setAboutBox(&about);
        frame->About1->trigger();
        QCOMPARE(prompts->dialogsRun, QStringList{QStringLiteral("TAboutBox")});
        // The long part of a hint goes to status panel 1.
        QStatusTipEvent tip(QStringLiteral("Save file to disk"));
        QCoreApplication::sendEvent(frame.get(), &tip);
        QCOMPARE(frame->statusPanel(1), QStringLiteral(" Save file to disk"));
    }

    void secondStartHandsItsFilesOver() {
        writeFile(path("other.html"), "other");
        startFrame();
        SingleInstance instance;
        QVERIFY(instance.acquire());
        QStringList received;
        QVERIFY(instance.listen([&](const QString& a) {
            received << a;
            frame->receiveHandOver(a);
        }));
        int code = -1;
        QCOMPARE(runTaviron({QStringLiteral("other.html")}, &code), QStringLiteral("exited"));
        QCOMPARE(code, 0);
        QCOMPARE(received, QStringList{path("other.html")});
        QVERIFY(frame->activeDocument());
        QCOMPARE(frame->activeDocument()->FileName(), path("other.html"));
        // Handing over a name that is open brings it forward, once.
        QCOMPARE(runTaviron({QStringLiteral("other.html")}, &code), QStringLiteral("exited"));
        QCOMPARE(frame->documents().size(), std::size_t(1));
        // Without arguments: the frame comes forward and nothing opens.
        received.clear();
        QCOMPARE(runTaviron({}, &code), QStringLiteral("exited"));
        QCOMPARE(code, 0);
        QCOMPARE(received, QStringList{QString()});
        QCOMPARE(frame->documents().size(), std::size_t(1));
        // "-n" starts a further instance, which keeps running.
        QProcess further;
        further.setWorkingDirectory(dir->path());
        further.start(qEnvironmentVariable("TAVIRON_EXE"), {QStringLiteral("-n"), QStringLiteral("other.html")});
        QVERIFY(further.waitForStarted(5000));
        QSignalSpy finished(&further, &QProcess::finished);
        QVERIFY(!finished.wait(1500));
        QCOMPARE(received.size(), 1);
        further.kill();
        further.waitForFinished();
    }

    void aHandOverOutlivesItsSenderDuringAQuestion() {
        // The user reads the message about a damaged project for a while;
        // meanwhile the second start gives up and goes away.
        class SlowReader : public TestPrompter {
        public:
            QProcess* sender = nullptr;
            Button ask(QWidget* parent, const Question& q) override {
                if (sender && sender->state() != QProcess::NotRunning) {
                    QEventLoop wait;
                    QObject::connect(sender, &QProcess::finished, &wait, &QEventLoop::quit);
                    QTimer::singleShot(15000, &wait, &QEventLoop::quit);
                    wait.exec();
                }
                return TestPrompter::ask(parent, q);
            }
        };
        writeFile(path("empty.vkp"), "");
        writeFile(path("page.html"), "page");
        startFrame({QStringLiteral("page.html")});
        edit(frame->activeDocument(), "changed ");
        SingleInstance instance;
        QVERIFY(instance.acquire());
        QVERIFY(instance.listen([this](const QString& a) { frame->receiveHandOver(a); }));
        QProcess second;
        second.setWorkingDirectory(dir->path());
        SlowReader reader;
        reader.sender = &second;
        const auto restore = qScopeGuard([this] { setPrompter(prompts.get()); });
        QSignalSpy finished(&second, &QProcess::finished);
        second.start(qEnvironmentVariable("TAVIRON_EXE"), {QStringLiteral("empty.vkp")});
        QVERIFY(second.waitForStarted(5000));
        QVERIFY(finished.wait(20000));
        QTRY_COMPARE(reader.questions.size(), std::size_t(1));
        QVERIFY(reader.questions[0].text.contains(QStringLiteral("damaged")));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // The editor goes on: another hand-over is served and the typing kept.
        writeFile(path("next.html"), "next");
        int code = -1;
        QCOMPARE(runTaviron({QStringLiteral("next.html")}, &code), QStringLiteral("exited"));
        QTRY_VERIFY(frame->activeDocument() && frame->activeDocument()->FileName() == path("next.html"));
        QCOMPARE(QByteArray::fromStdString(frame->documents()[0]->view()->Text()), QByteArray("changed page"));
    }

    void secondStartWithoutAnyInstanceEndsAnyway() {
        // Somebody holds the lock but nobody listens: the start gives up.
        SingleInstance instance;
        QVERIFY(instance.acquire());
        int code = -1;
        QCOMPARE(runTaviron({QStringLiteral("x.html")}, &code), QStringLiteral("exited"));
        QCOMPARE(code, 0);
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
