// Spell checking of the active document with a scripted dialog.
#include "app/documents.h"
#include "app/mainform.h"
#include "window/mdichild.h"
#include "spell/addictspell.h"
#include "testprompter.h"
#include "uitest.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using uitest::readFile;
using uitest::writeFile;

class SpellTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    TMDIChild* doc = nullptr;
    QStringList seen;  // the words the dialog showed
    QByteArray text() { return QByteArray::fromStdString(doc->view()->Text()); }
    void start(const QByteArray& content) {
        writeFile(dir->filePath(QStringLiteral("page.html")), content);
        frame = std::make_unique<TMainForm>(QStringList{QStringLiteral("page.html")}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        doc = frame->activeDocument();
    }
    // The dialog's next answer: an action, and a replacement for Change.
    void answer(int action, const QString& with = {}) {
        prompts->dialogScripts.push_back([this, action, with](QDialog& d) {
            auto* box = qobject_cast<TAddictSpellDialog*>(&d);
            if (!box) return int(QDialog::Rejected);
            seen << box->NotFound->text();
            if (!with.isNull()) box->ReplaceWith->setText(with);
            box->press(action);
            return int(QDialog::Accepted);
        });
    }
    QStringList messages() {
        QStringList out;
        for (const auto& q : prompts->questions) out << q.text;
        return out;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", dir->filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVIRON_HOME", dir->filePath(QStringLiteral("home")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
        seen.clear();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void replaceWithAlwaysStartsAsTheWord() {
        start("<p>Ths is a tst</p>");
        QStringList startedWith;
        auto pickFirstSuggestion = [this, &startedWith](QDialog& d) {
            auto* box = qobject_cast<TAddictSpellDialog*>(&d);
            box->show();
            QCoreApplication::processEvents();  // the suggestions come after the dialog
            startedWith << box->ReplaceWith->text();
            if (QApplication::focusWidget() != box->ReplaceWith) startedWith << QStringLiteral("(focus elsewhere)");
            box->Suggestions->setCurrentRow(0);
            box->press(TAddictSpellDialog::Change);
            return int(QDialog::Accepted);
        };
        prompts->dialogScripts.push_back(pickFirstSuggestion);
        prompts->dialogScripts.push_back(pickFirstSuggestion);
        frame->SpellBtn->trigger();
        QCOMPARE(startedWith, (QStringList{"Ths", "tst"}));
        QVERIFY(!text().contains("<p> is"));  // no word was deleted
        QVERIFY(!text().contains("a </p>"));
    }

    void wholeDocumentFromTheCaret() {
        start("<p>Ths is a tst</p>");
        answer(TAddictSpellDialog::Change, QStringLiteral("This"));
        answer(TAddictSpellDialog::Change, QStringLiteral("test"));
        frame->SpellBtn->trigger();
        QCOMPARE(seen, (QStringList{"Ths", "tst"}));
        QCOMPARE(text(), QByteArray("<p>This is a test</p>"));
        QCOMPARE(messages(), QStringList{"Spell Check Complete\r\n\r\nWords Checked: 4"});
        QCOMPARE(doc->view()->SelStart(), 0);
        doc->view()->Undo();
        QCOMPARE(text(), QByteArray("<p>This is a tst</p>"));  // one step per change
    }

    void selectionThenNo() {
        start("Ths word\r\nand tst");
        doc->view()->SetSel(0, 8);
        answer(TAddictSpellDialog::Ignore);
        prompts->answers.push_back(Prompter::No);
        frame->SpellBtn->trigger();
        QCOMPARE(seen, QStringList{"Ths"});
        QCOMPARE(messages(), QStringList{"The selected text has been checked.\r\n\r\nCheck the remainder of the document?"});
        QCOMPARE(doc->view()->SelStart(), 0);
        QCOMPARE(doc->view()->SelLength(), 8);
    }

    void cancelEndsEverything() {
        start("Ths tst");
        doc->view()->SetSelStart(3);
        answer(TAddictSpellDialog::Cancel);
        frame->SpellBtn->trigger();
        QCOMPARE(seen, QStringList{"tst"});  // from the caret, then nothing more
        QVERIFY(messages().isEmpty());
        QCOMPARE(doc->view()->SelStart(), 3);
    }

    void theDocumentStaysUsableWhileTheDialogWaits() {
        start("<p>Ths is a tst</p>");
        QStringList states;
        prompts->dialogScripts.push_back([this, &states](QDialog& d) {
            auto* box = qobject_cast<TAddictSpellDialog*>(&d);
            states << (box->isModal() || box->windowModality() != Qt::NonModal ? "modal" : "not modal");
            states << (box->StartBtn->isEnabled() ? "Start on" : "Start off");
            // The user types the correction over the selected word, in the page.
            QTest::keyClicks(doc->view(), "This");
            QCoreApplication::processEvents();
            states << (box->StartBtn->isEnabled() ? "Start on" : "Start off");
            for (QPushButton* b : box->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("C&hange")) states << (b->isEnabled() ? "Change on" : "Change off");
            QTest::mouseClick(box->StartBtn, Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        answer(TAddictSpellDialog::Change, QStringLiteral("test"));
        frame->SpellBtn->trigger();
        QCOMPARE(states, (QStringList{"not modal", "Start off", "Start on", "Change off"}));
        QCOMPARE(seen, QStringList{"tst"});  // "This" was accepted on the new walk
        QCOMPARE(text(), QByteArray("<p>This is a test</p>"));
        QCOMPARE(messages(), QStringList{"Spell Check Complete\r\n\r\nWords Checked: 4"});
    }

    void undoLastReachesBackOverTheWrap() {
        start("Ths one. Wrd two");
        doc->view()->SetSelStart(9);
        answer(TAddictSpellDialog::Change, QStringLiteral("Word"));
        QList<bool> undoOffered;
        prompts->dialogScripts.push_back([this, &undoOffered](QDialog& d) {
            auto* box = qobject_cast<TAddictSpellDialog*>(&d);
            seen << box->NotFound->text();
            undoOffered << box->UndoBtn->isEnabled();
            QTest::mouseClick(box->UndoBtn, Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        prompts->dialogScripts.push_back([this, &undoOffered](QDialog& d) {
            auto* box = qobject_cast<TAddictSpellDialog*>(&d);
            seen << box->NotFound->text();
            undoOffered << box->UndoBtn->isEnabled();
            box->ReplaceWith->setText(QStringLiteral("This"));
            box->press(TAddictSpellDialog::Change);
            return int(QDialog::Accepted);
        });
        frame->SpellBtn->trigger();
        QCOMPARE(seen, (QStringList{"Wrd", "Ths", "Ths"}));
        QCOMPARE(undoOffered, (QList<bool>{true, false}));
        QCOMPARE(text(), QByteArray("This one. Wrd two"));
        QCOMPARE(messages().size(), 1);
    }

    void closingTheDocumentOrTheFrameEndsTheCheck() {
        start("Ths tst");
        prompts->dialogScripts.push_back([this](QDialog&) {
            doc->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return int(QDialog::Rejected);
        });
        frame->SpellBtn->trigger();
        QVERIFY(frame->documents().empty());
        QVERIFY(!frame->Spell1->busy);
        QVERIFY(messages().isEmpty());
        // Quitting while a word waits: the check ends as if cancelled, then the frame closes.
        frame->docs()->NewFile();
        doc = frame->activeDocument();
        QTest::keyClicks(doc->view(), "Wrd");
        doc->view()->SetSelStart(0);
        prompts->answers.push_back(Prompter::No);  // do not save the new page
        prompts->dialogScripts.push_back([this](QDialog&) {
            frame->close();
            return int(QDialog::Rejected);
        });
        frame->SpellBtn->trigger();
        QVERIFY(!frame->Spell1->busy);
        QTRY_VERIFY(!frame->isVisible());
        QCOMPARE(messages(), QStringList{"Save changes to Untitled 0?"});
    }

    void changeAllEndsWhenTheReplacementHoldsTheWord() {
        start("tst and tst");
        frame->Spell1->options.recheck = true;
        answer(TAddictSpellDialog::ChangeAll, QStringLiteral("tst x"));
        frame->SpellBtn->trigger();  // used to change the word for ever
        QCOMPARE(seen, QStringList{"tst"});
        QCOMPARE(text(), QByteArray("tst x and tst x"));
        QCOMPARE(messages().size(), 1);
    }

    void repeatedWordsDeleteAndTheSelectionFollowsTheText() {
        start("<p>Ths is The the end.</p> <b>keep</b>");
        auto* ed = doc->view();
        const int keep = static_cast<int>(ed->Text().find("keep"));
        ed->SetSel(keep, 4);
        prompts->answers.push_back(Prompter::Yes);  // check the rest after the selection
        QList<bool> clear;
        QStringList labels;
        // The answers come from the dialog's own keys, the dialog shown
        // where it leaves the word in sight.
        auto byKey = [&](Qt::Key key, const QString& typed = {}) {
            prompts->dialogScripts.push_back([&, key, typed](QDialog& d) {
                auto* box = qobject_cast<TAddictSpellDialog*>(&d);
                if (!box || !QTest::qWaitForWindowExposed(box)) return int(QDialog::Rejected);
                const QString word = box->NotFound->text();
                const int at = static_cast<int>(ed->Text().find(word.toStdString(), word == "the" ? 10 : 0));
                clear << !box->frameGeometry().intersects(ed->screenRect(at, at + static_cast<int>(word.size())));
                labels << box->NotFoundLabel->text();
                if (!typed.isEmpty()) {
                    box->ReplaceWith->selectAll();
                    QTest::keyClicks(box->ReplaceWith, typed);
                }
                box->activateWindow();
                if (!QTest::qWaitFor([box] { return QApplication::activeWindow() == box; })) return int(QDialog::Rejected);
                QTest::keySequence(box, QKeySequence(Qt::ALT | key));
                // A mnemonic clicks its button as a mouse would, a moment later.
                if (!QTest::qWaitFor([box] { return !box->isVisible(); }, 2000)) return int(QDialog::Rejected);
                return box->result();
            });
        };
        // The selection holds no word to ask about; the rest, then the
        // part before it, does.
        byKey(Qt::Key_H, QStringLiteral("This"));  // Change
        byKey(Qt::Key_D);                          // Delete the repeated "the"
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        ed->setFocus();
        QTest::keyClick(ed, Qt::Key_F7);
        QCOMPARE(text(), QByteArray("<p>This is The end.</p> <b>keep</b>"));
        QCOMPARE(labels, (QStringList{"Not Found:", "Repeated Word:"}));
        QCOMPARE(clear, (QList<bool>{true, true}));
        // The selection is the same text as before, moved by the changes.
        QCOMPARE(ed->SelText(), std::string("keep"));
    }

    void addedWordsAreKept() {
        start("Tavironic tool");
        answer(TAddictSpellDialog::Add);
        frame->SpellBtn->trigger();
        QCOMPARE(seen, QStringList{"Tavironic"});
        QVERIFY(readFile(dir->filePath(QStringLiteral("home/user.udt"))).contains("Tavironic"));
        seen.clear();
        frame->SpellBtnClick();  // accepted now
        QVERIFY(seen.isEmpty());
        frame.reset();
        start("Tavironic again");  // and after a restart
        frame->SpellBtnClick();
        QVERIFY(seen.isEmpty());
    }
};

QTEST_MAIN(SpellTest)
#include "spell_test.moc"
