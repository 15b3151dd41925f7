// The document model alone, with no window and no view: its text, colours,
// undo and redo snapshots, save point and title.
#include "editor/document.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

class DocumentTest : public QObject {
    Q_OBJECT
private:
    // One edit as a view makes it: the undo step first, then the change.
    static void edit(TDocument& d, int start, int end, std::string_view text, TDocument::ViewPlace place = {}) {
        DocumentEdit scope(d);
        d.recordUndo(place);
        d.replaceRange(start, end, text, 3);
    }

private slots:
    void undoAndRedoBringBackTextColoursAndPlace() {
        TDocument d;
        d.loadText("<p>one</p>");
        d.setRangeColor(0, 3, 5);
        d.setUndoLimit(3);
        edit(d, 3, 6, "two", {3, 3, 0});
        edit(d, 0, 0, "x", {0, 0, 1});
        QCOMPARE(d.text(), std::string("x<p>two</p>"));
        QCOMPARE(d.colorAt(0), 3);  // inserted text takes the colour given
        auto place = d.undo({1, 0, 2});
        QVERIFY(place);
        QCOMPARE(place->topLine, 1);
        QCOMPARE(d.text(), std::string("<p>two</p>"));
        place = d.undo({0, 0, 0});
        QCOMPARE(place->selStart, 3);
        QCOMPARE(place->selLength, 3);
        QCOMPARE(d.text(), std::string("<p>one</p>"));
        QCOMPARE(d.styles().substr(0, 4), std::string("\x05\x05\x05\x00", 4));
        QVERIFY(!d.undo({}));  // nothing more
        QVERIFY(d.redo({}));
        QCOMPARE(d.text(), std::string("<p>two</p>"));
        // A new step clears what could be redone; the oldest steps go past the limit.
        edit(d, 0, 0, "a");
        QVERIFY(!d.canRedo());
        for (const char* t : {"b", "c", "d", "e"}) edit(d, 0, 0, t);
        QCOMPARE(static_cast<int>(d.snapshots().undoList().size()), 3);
    }

    void oneGroupIsOneStep() {
        TDocument d;
        d.loadText("abc");
        {
            UndoGroup group(d);
            edit(d, 0, 1, "A");
            edit(d, 2, 3, "C");
        }
        edit(d, 1, 2, "B");
        QCOMPARE(static_cast<int>(d.snapshots().undoList().size()), 2);
        d.undo({});
        QCOMPARE(d.text(), std::string("AbC"));
        d.undo({});
        QCOMPARE(d.text(), std::string("abc"));
    }

    void theModifiedMarkFollowsTheText() {
        TDocument d;
        QSignalSpy changed(&d, &TDocument::changed);
        d.loadText("saved");
        d.setModified(false);
        changed.clear();
        edit(d, 5, 5, "!");
        QVERIFY(d.modified());
        QCOMPARE(changed.size(), 1);  // once, when the edit ends
        edit(d, 5, 6, "");
        QVERIFY(!d.modified());  // back to what the file holds
        d.undo({});
        QVERIFY(d.modified());
        // A mark set on purpose holds whatever the text.
        d.setModified(true);
        d.undo({});
        d.redo({});
        QVERIFY(d.modified() && d.markedUnsaved());
    }

    void theTitleFollowsTheChanges() {
        TDocument d;
        d.loadText("<head><TITLE>Old</TITLE></head><p>text</p>");
        QCOMPARE(d.title(), std::string("Old"));
        edit(d, 13, 16, "New &amp; better");
        QCOMPARE(d.title(), std::string("New & better"));
        edit(d, static_cast<int>(d.length()), static_cast<int>(d.length()), "<p>more</p>");
        QCOMPARE(d.title(), std::string("New & better"));
        edit(d, 0, d.length(), "no title");
        QCOMPARE(d.title(), std::string());
    }

    void textGoesInAsTheEncodingHoldsIt() {
        TDocument d;
        d.file.encoding = tv::FileEncoding::Windows1252;
        d.setText("café 中");
        QCOMPARE(d.text(), std::string("café &#20013;"));
        // A conversion undone brings back its text with the encoding it was in.
        TDocument u;
        u.setText("中");
        u.recordUndo({});
        u.file.encoding = tv::FileEncoding::Windows1252;
        u.setText(u.text());
        QCOMPARE(u.text(), std::string("&#20013;"));
        u.undo({});
        QCOMPARE(u.text(), std::string("中"));
        QVERIFY(u.file.encoding == tv::FileEncoding::Utf8);
        u.redo({});
        QVERIFY(u.file.encoding == tv::FileEncoding::Windows1252);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
