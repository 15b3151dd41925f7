// The frame's edit commands on its document windows: short cuts and the
// undo lists, the tool buttons and menus that follow the editor, the status
// bar, line numbers and the tag tool bars.
#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

class EditCommandsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    QTemporaryDir dir;
    TMDIChild* doc = nullptr;
    TvokRich* ed() { return doc->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }

    TMDIChild* open(const QByteArray& content) {
        static int n = 0;
        const QString path = dir.filePath(QStringLiteral("doc%1.html").arg(n++));
        uitest::writeFile(path, content);
        return frame->OpenDocument(path);
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit()); }
    void init() {
        prompts = std::make_unique<TestPrompter>();
        frame = std::make_unique<TMainForm>(QStringList{}, dir.path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        doc = open("");
        QVERIFY(doc);
        ed()->setFocus();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void typingMakesOneUndoStepPerWord() {
        QTest::keyClicks(ed(), "abc def");
        QCOMPARE(text(), QByteArray("abc def"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text(), QByteArray(""));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc"));
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("abc def"));
    }

    void theModifiedMarkFollowsTheText() {
        ed()->SetModified(false);  // a save point: the text as it is
        const QByteArray saved = text();
        QTest::keyClicks(ed(), "x");
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
        QTest::keyClick(ed(), Qt::Key_Backspace);  // typed and taken back
        QCoreApplication::processEvents();
        QCOMPARE(text(), saved);
        QVERIFY(!ed()->Modified());
        QTest::keyClicks(ed(), "ab ");
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
        for (int i = 0; i < 5 && text() != saved; ++i) QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(text(), saved);
        QVERIFY(!ed()->Modified());  // undone back to the saved text
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
        // Enter over a selection as long as a line end changes the text
        // without changing its length.
        ed()->SetText("<M rest");
        ed()->SetModified(false);
        ed()->SetSel(0, 2);
        QTest::keyClick(ed(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(text(), QByteArray("\r\n rest"));
        QVERIFY(ed()->Modified());
        // A mark set on purpose (a deleted file, another encoding) holds.
        ed()->SetModified(true);
        QTest::keyClicks(ed(), "y");
        QTest::keyClick(ed(), Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QVERIFY(ed()->Modified());
    }

    void statusBarShowsLineAndColumnFromZero() {
        QCOMPARE(frame->statusPanel(0), QStringLiteral("0: 0"));
        QTest::keyClicks(ed(), "ab");
        QTest::keyClick(ed(), Qt::Key_Return);
        QTest::keyClicks(ed(), "c");
        QCOMPARE(frame->statusPanel(0), QStringLiteral("1: 1"));
        QTest::keyClick(ed(), Qt::Key_Up);
        QCOMPARE(frame->statusPanel(0), QStringLiteral("0: 1"));
    }

    void buttonsFollowTheEditor() {
        QVERIFY(!frame->SaveBtn->isEnabled());
        QVERIFY(!frame->UndoBtn->isEnabled());
        QTest::keyClicks(ed(), "hello");
        QVERIFY(frame->SaveBtn->isEnabled());
        QVERIFY(frame->UndoBtn->isEnabled());
        QVERIFY(!frame->CutBtn->isEnabled());
        QTest::keyClick(ed(), Qt::Key_Home, Qt::ShiftModifier);
        QVERIFY(frame->CutBtn->isEnabled());
        QVERIFY(frame->CopyBtn->isEnabled());
        frame->CutBtn->trigger();
        QVERIFY(frame->PasteBtn->isEnabled());  // the clipboard holds the text
    }

    void lineNumbersShowInEveryWindowAndAreKept() {
        QCOMPARE(ed()->marginWidth(0), 0);
        TMDIChild* second = open("two");
        frame->LineNumbers1->trigger();
        QVERIFY(ed()->marginWidth(0) > 0);
        QVERIFY(second->view()->marginWidth(0) > 0);
        QCOMPARE(ed()->marginType(0), QsciScintilla::NumberMargin);
        QVERIFY(frame->settings().lineNumbers);
        TMDIChild* third = open("three");
        QVERIFY(third->view()->marginWidth(0) > 0);
        frame->LineNumbers1->trigger();
        QCOMPARE(third->view()->marginWidth(0), 0);
    }

    void theTextLimitSaysWhyNothingHappens() {
        ed()->SetTextLimit(5);
        QTest::keyClicks(ed(), "abcdef");
        QCOMPARE(text(), QByteArray("abcde"));
        QCOMPARE(frame->statusPanel(1), QStringLiteral(" The document has reached its limit of 5 characters."));
    }

    void theTagToolBarsHoldTheirButtons() {
        QToolBar* elements = frame->findChild<QToolBar*>(QStringLiteral("ElementTbar"));
        QVERIFY(elements->actions().contains(frame->command("Marquee1")));
        QVERIFY(elements->actions().contains(frame->command("JavaScript1")));
        QVERIFY(frame->HeaderMenu->actions().last()->text() == QStringLiteral("&Options..."));
        frame->HeaderMenu->actions().last()->trigger();
        QCOMPARE(prompts->dialogsRun.size(), 1);
    }

    void editMenuEnabling() {
        auto inBar = [this](const char* name) {
            return frame->menuBar()->actions().contains(frame->findChild<QMenu*>(QString::fromLatin1(name))->menuAction());
        };
        QVERIFY(inBar("Edit1"));
        QVERIFY(!inBar("FrameEdit1"));
        // Every menu of the bar has a letter of its own.
        QStringList letters;
        for (QAction* a : frame->menuBar()->actions()) {
            const QString t = a->text();
            const auto at = t.indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0, qPrintable(t));
            const QString letter = t.mid(at + 1, 1).toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(t));
            letters << letter;
        }
        QVERIFY(!frame->command("Redo1")->isEnabled());
        QTest::keyClicks(ed(), "ab");
        frame->UndoBtn->trigger();
        // Redo's state follows the undo lists at once, so its short cut works.
        QVERIFY(frame->command("Redo1")->isEnabled());
        emit doc->PopupMenu1->aboutToShow();
        QVERIFY(!doc->Cut2->isEnabled());
        QVERIFY(!doc->Undo2->isEnabled());
        QTest::keySequence(ed(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(text(), QByteArray("ab"));
        doc->SelectAll2->trigger();
        emit doc->PopupMenu1->aboutToShow();
        QVERIFY(doc->Cut2->isEnabled() == (ed()->Length() > 0));
    }

    void shortcutsReachTheActiveDocumentOnly() {
        TMDIChild* first = doc;
        TMDIChild* second = open("");
        QVERIFY(second && second != first);
        second->view()->setFocus();
        QTest::keyClicks(second->view(), "x y");
        QTest::keySequence(second->view(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(QByteArray::fromStdString(second->view()->Text()), QByteArray("x"));
        QCOMPARE(QByteArray::fromStdString(first->view()->Text()), QByteArray(""));
        // Without a document the frame's own Edit menu comes back and the
        // document commands do nothing.
        first->view()->SetModified(false);
        second->view()->SetModified(false);
        frame->mdiArea()->closeAllSubWindows();
        QVERIFY(!frame->menuBar()->actions().contains(frame->findChild<QMenu*>(QStringLiteral("Edit1"))->menuAction()));
        QVERIFY(frame->menuBar()->actions().contains(frame->findChild<QMenu*>(QStringLiteral("FrameEdit1"))->menuAction()));
        frame->command("Bold1")->trigger();
    }
};

QTEST_MAIN(EditCommandsTest)
#include "editcommands_test.moc"
