// The editor control on its own: text model, snapshot undo and redo,
// colours, typing through the code page, the clipboard and the text limit.
#include "editor/tvokrich.h"
#include "uitest.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>

using uitest::typeText;

class EditorTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QMainWindow> win;
    TvokRich* ed = nullptr;

private slots:
    void init() {
        win = std::make_unique<QMainWindow>();
        ed = new TvokRich(win.get());
        win->setCentralWidget(ed);
        win->resize(600, 400);
        win->show();
        ed->setFocus();
        QVERIFY(QTest::qWaitForWindowExposed(win.get()));
    }
    void cleanup() { win.reset(); }

    // Assistive tools see characters, not bytes: offsets count from the
    // line index, and moving by offset lands on whole characters.
    void assistiveToolsSeeCharacters() {
        ed->SetText("a\xC3\xA9" "b\r\n\xE4\xB8\xAD" "x\r\nlast");  // aéb / 中x / last
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(ed);
        QVERIFY(iface);
        QAccessibleTextInterface* text = iface->textInterface();
        QVERIFY(text);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QCOMPARE(text->characterCount(), 13);  // aéb CR LF, 中x CR LF, last
        ed->SetSel(9, 0);  // before the x
        QCOMPARE(text->cursorPosition(), 6);
        QCOMPARE(text->text(3, 7), QString::fromUtf8("\r\n\xE4\xB8\xAD" "x"));
        text->setCursorPosition(2);  // after the é
        QCOMPARE(ed->SelStart(), 3);
        text->setSelection(0, 5, 13);
        QCOMPARE(QByteArray::fromStdString(ed->SelText()), QByteArray("\xE4\xB8\xAD" "x\r\nlast"));
        int start = 0, end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(start, 5);
        QCOMPARE(end, 13);
        QCOMPARE(text->offsetAtPoint(ed->viewport()->mapToGlobal(ed->viewport()->rect().center())) >= -1, true);
    }

    // A large page wraps the lines on screen only; the others wait until
    // they are shown. A small one is wrapped whole in the background.
    void largePagesWrapWhatIsShown() {
        ed->SetWordWrapOn(true);
        const std::string line = "<P>" + std::string(300, 'w').replace(100, 1, " ").replace(200, 1, " ") + "</P>\r\n";
        // Display lines the view gives a line now (SCI_WRAPCOUNT would lay
        // the line out to answer).
        auto wraps = [&](int l) {
            return ed->SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(l + 1)) -
                   ed->SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(l));
        };
        auto settle = [] {
            for (int i = 0; i < 50; ++i) QTest::qWait(5);
        };
        std::string small;
        while (small.size() < 100000) small += line;
        ed->SetText(small);
        settle();
        const int smallLast = ed->LineCount() - 2;
        QVERIFY(wraps(0) > 1);
        QVERIFY(wraps(smallLast) > 1);  // wrapped in the background
        std::string big;
        while (big.size() < 1000000) big += line;
        ed->SetText(big);
        const int last = ed->LineCount() - 2;
        // Long enough for the whole page to have been wrapped in the
        // background, were it wrapped there.
        for (int i = 0; i < 150 && wraps(last) == 1; ++i) QTest::qWait(10);
        QVERIFY(wraps(0) > 1);         // on screen
        QCOMPARE(wraps(last), 1L);     // not shown yet
        ed->SetSel(ed->LineStart(last), 0);
        ed->ensureCursorVisible();
        settle();
        QVERIFY(wraps(last) > 1);      // shown now
        QTest::keyClicks(ed, "abc");   // typing there goes on as ever
        QCOMPARE(QByteArray::fromStdString(ed->Line(last)).left(6), QByteArray("abc<P>"));
        // Once the page is small again, the rest is wrapped too.
        ed->SetText(small);
        settle();
        QVERIFY(wraps(smallLast) > 1);
    }

    void positionsCountBytesAndLineBreaksCountTwo() {
        ed->SetText("ab\r\ncde\r\n\r\nf");
        QCOMPARE(ed->Length(), 12);
        QCOMPARE(ed->LineCount(), 4);
        QCOMPARE(ed->LineStart(1), 4);
        QCOMPARE(ed->LineLength(1), 3);
        ed->SetSelStart(6);
        QCOMPARE(ed->CaretLine(), 1);
        QCOMPARE(ed->CaretColumn(), 2);
        ed->SetSel(1, 5);
        QCOMPARE(QByteArray::fromStdString(ed->SelText()), QByteArray("b\r\ncd"));
    }

    void goToLineAndColumnClamp_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("expected");
        // Text: "ab\r\ncde\r\nf" -> lines start at 0, 4, 9.
        QTest::newRow("first line") << 0 << 0 << 0;
        QTest::newRow("negative line") << -5 << 0 << 0;
        QTest::newRow("past the end") << 99 << 0 << 9;
        QTest::newRow("column inside") << 1 << 2 << 6;
        QTest::newRow("column past line end stops before CR LF") << 1 << 50 << 7;
        QTest::newRow("negative column") << 1 << -3 << 4;
    }
    void goToLineAndColumnClamp() {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, expected);
        ed->SetText("ab\r\ncde\r\nf");
        ed->SetSel(1, 2);
        ed->GoToLine(line);
        QCOMPARE(ed->SelLength(), 0);
        ed->GoToColumn(column);
        QCOMPARE(ed->SelStart(), expected);
        QCOMPARE(ed->SelLength(), 0);
    }

    void replaceSelectionRecordsStepOnlyWhenTextDiffers() {
        ed->SetText("hello");
        ed->SetSel(0, 5);
        ed->ReplaceSelection("hello");
        QVERIFY(!ed->CanUndo());
        ed->SetSel(2, 0);
        ed->ReplaceSelection("");
        QVERIFY(!ed->CanUndo());
        ed->SetSel(0, 1);
        ed->ReplaceSelection("J");
        QVERIFY(ed->CanUndo());
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("Jello"));
        QCOMPARE(ed->SelStart(), 1);
        ed->Undo();
        QVERIFY(ed->CanRedo());
        ed->SetSel(5, 0);
        ed->ReplaceSelection("!");
        QVERIFY(!ed->CanRedo());  // a new step empties the redo list
        ed->Redo();
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("hello!"));
    }

    void undoLimitKeepsNewestSnapshots() {
        ed->document().setUndoLimit(10);
        ed->SetText("");
        for (int i = 0; i < 11; ++i) {
            ed->SetSel(ed->Length(), 0);
            ed->ReplaceSelection(std::string(1, static_cast<char>('a' + i)));
        }
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("abcdefghijk"));
        int undone = 0;
        while (ed->CanUndo()) {
            ed->Undo();
            ++undone;
        }
        QCOMPARE(undone, 10);
        ed->Undo();  // nothing left: nothing happens
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("a"));
        QCOMPARE(static_cast<int>(ed->document().snapshots().redoList().size()), 10);
        ed->document().setUndoLimit(3);
        QCOMPARE(static_cast<int>(ed->document().snapshots().redoList().size()), 3);
        ed->Redo();
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("ab"));
    }

    void undoAndRedoRestoreTextSelectionTopLineAndColours() {
        std::string text;
        for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
        ed->SetText(text);
        ed->SetSel(10, 4);
        ed->SetSelColor(9);
        ed->SetSel(20, 3);
        ed->ScrollToLine(50);
        const int top = ed->TopLine();
        QCOMPARE(top, 50);
        ed->ReplaceSelection("XYZW");
        ed->SetSel(10, 4);
        ed->SetSelColor(2);
        ed->ScrollToLine(0);
        ed->Undo();
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray::fromStdString(text));
        QCOMPARE(ed->SelStart(), 20);
        QCOMPARE(ed->SelLength(), 3);
        QCOMPARE(ed->TopLine(), top);
        QCOMPARE(ed->ColorAt(10), 9);
        QCOMPARE(ed->ColorAt(13), 9);
        QCOMPARE(ed->ColorAt(14), 0);
        ed->Redo();
        QCOMPARE(ed->ColorAt(10), 2);
        QCOMPARE(ed->SelStart(), 10);  // the selection as it was before the Undo
        QCOMPARE(ed->SelLength(), 4);
    }

    void typingKeepsWhatTheEncodingHolds() {
        // UTF-8 takes every character; Windows-1252 a reference for those it lacks.
        ed->SetText("");
        typeText(ed, QStringLiteral("aé€中😀"));
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("aé€中😀"));
        QCOMPARE(ed->CharacterCount(), 5);
        QCOMPARE(ed->CaretColumn(), 5);
        ed->setEncoding(tv::FileEncoding::Windows1252);
        ed->SetText("");
        typeText(ed, QStringLiteral("aé€中"));
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("aé€&#20013;"));
        QTest::keyClick(ed, Qt::Key_Return);
        QCOMPARE(QByteArray::fromStdString(ed->Text()).right(2), QByteArray("\r\n"));
        // Backspace takes a whole character.
        ed->setEncoding(tv::FileEncoding::Utf8);
        ed->SetText("x😀");
        ed->SetSelStart(ed->Length());
        QTest::keyClick(ed, Qt::Key_Backspace);
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("x"));
    }

    void typedTextTakesTheTypingColour() {
        ed->SetText("");
        ed->SetSelColor(6);
        QTest::keyClicks(ed, "ab");
        QCOMPARE(ed->ColorAt(0), 6);
        QCOMPARE(ed->ColorAt(1), 6);
        QCOMPARE(ed->SelColor(), 6);
    }

    void clipboardConvertsBothWays() {
        ed->SetText("café\r\n“q”");
        ed->SetSel(0, ed->Length());
        ed->CopyToClipboard();
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("caf\xC3\xA9\n\xE2\x80\x9Cq\xE2\x80\x9D"));
        QApplication::clipboard()->setText(QString::fromUtf8("x\ny\xE2\x84\xA2\xF0\x9F\x98\x80"));
        QCOMPARE(QByteArray::fromStdString(ed->ClipboardText()), QByteArray("x\r\ny™😀"));
        ed->setEncoding(tv::FileEncoding::Windows1252);
        QCOMPARE(QByteArray::fromStdString(ed->ClipboardText()), QByteArray("x\r\ny™&#128512;"));
        ed->setEncoding(tv::FileEncoding::Utf8);
        ed->CutToClipboard();
        QCOMPARE(ed->Length(), 0);
        QVERIFY(TvokRich::ClipboardHasText());
    }

    void componentKeysLeaveProgramShortcutsAlone() {
        // Shortcuts of the program must win over the component's own keys.
        const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::Key_T),
                                     QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::CTRL | Qt::Key_D),
                                     QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_U)};
        ed->SetText("one\r\ntwo");
        ed->SetSelStart(1);
        for (const QKeySequence& k : keys) {
            QAction a(win.get());
            a.setShortcut(k);
            win->addAction(&a);
            QSignalSpy spy(&a, &QAction::triggered);
            QTest::keySequence(ed, k);
            QCOMPARE(spy.count(), 1);
            win->removeAction(&a);
        }
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("one\r\ntwo"));
        QCOMPARE(ed->SelLength(), 0);
        // Caret movement and selection stay the component's.
        QTest::keyClick(ed, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(ed->SelLength(), 2);
    }

    void typingStopsAtTheTextLimit() {
        ed->SetTextLimit(10);
        ed->SetText("12345678");
        ed->SetSelStart(8);
        QTest::keyClicks(ed, "abc");
        QCOMPARE(QByteArray::fromStdString(ed->Text()), QByteArray("12345678ab"));
        QTest::keyClick(ed, Qt::Key_Return);
        QCOMPARE(ed->Length(), 10);
        // Loading is never cut at the limit.
        ed->SetText(std::string(50, 'x'));
        QCOMPARE(ed->Length(), 50);
    }

    void changeAndSelectionEventsFireAfterTheEdit() {
        ed->SetText("abc");
        ed->SetSelStart(3);
        int caretSeen = -1;
        QSignalSpy change(ed, &TvokRich::OnChange);
        connect(ed, &TvokRich::OnChange, this, [&] { caretSeen = ed->SelStart(); });
        QTest::keyClick(ed, Qt::Key_D);
        QCOMPARE(change.count(), 1);
        QCOMPARE(caretSeen, 4);
        QSignalSpy sel(ed, &TvokRich::OnSelectionChange);
        QTest::keyClick(ed, Qt::Key_Left);
        QCOMPARE(sel.count(), 1);
        QCOMPARE(change.count(), 1);
        QVERIFY(ed->Modified());
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
