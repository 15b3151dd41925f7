// The search dialog's multi-file state: results, replace in a folder and in
// the open windows.
#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "tools/searchbox.h"
#include "tools/searchwindows.h"
#include "uitest.h"
#include "widgets/historycombo.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using uitest::readFile;
using uitest::writeFile;

class SiteSearchTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    QString path(const QString& n) const { return dir->filePath(n); }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
        QDir().mkpath(path(QStringLiteral("site/sub")));
        writeFile(path(QStringLiteral("site/a.html")), "one table\r\ntwo");
        writeFile(path(QStringLiteral("site/sub/b.htm")), "TABLE here");
        writeFile(path(QStringLiteral("site/pic.gif")), "table");
        writeFile(path(QStringLiteral("site/c.txt")), "nothing");
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void statesAndEnabling() {
        Tsearchbox* box = frame->searchBox();
        // The first time too, the dialog opens in the middle of the screen.
        box->showBox();
        const QRect screen = frame->screen()->availableGeometry();
        QVERIFY(std::abs(box->frameGeometry().center().x() - screen.center().x()) <= 2 + box->width() / 50);
        box->hide();
        QCOMPARE(box->Button1->text(), QStringLiteral("Multi Fil&e >>"));
        box->Button1->click();
        QVERIFY(box->multiFile());
        QCOMPARE(box->Button1->text(), QStringLiteral("<< One Fil&e"));
        QVERIFY(!box->ReplaceBtn->isEnabled());
        QVERIFY(!box->FindBtn->isEnabled());  // "All Open Windows" replaces only
        box->dir->click();
        QVERIFY(box->FindBtn->isEnabled());
        QVERIFY(box->directory->isEnabled());
        QVERIFY(!box->project->isEnabled());
        box->Button1->click();
        QVERIFY(box->ReplaceBtn->isEnabled());
    }

    void findListsTheFilesAndOpensAtTheMatch() {
        Tsearchbox* box = frame->searchBox();
        box->setMultiFile(true);
        box->dir->click();
        box->directory->setCurrentText(path(QStringLiteral("site")));
        box->find->setPlainText(QStringLiteral("table"));
        box->FindBtn->click();
        auto* found = frame->findChild<TFoundBox*>();
        QVERIFY(found);
        QStringList files;
        for (int i = 0; i < found->List->count(); ++i) files << found->List->item(i)->text();
        files.sort();
        QCOMPARE(files, (QStringList{path(QStringLiteral("site/a.html")), path(QStringLiteral("site/sub/b.htm"))}));
        QCOMPARE(found->done->text(), QStringLiteral("Finished searching."));
        for (int i = 0; i < found->List->count(); ++i) QVERIFY(!found->List->item(i)->icon().isNull());
        QVERIFY(found->OpenBtn->isEnabled());
        found->List->setCurrentRow(static_cast<int>(files.indexOf(path(QStringLiteral("site/a.html")))));
        found->List->setCurrentItem(found->List->findItems(path(QStringLiteral("site/a.html")), Qt::MatchExactly).first());
        found->OpenBtn->click();
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(doc);
        QCOMPARE(doc->view()->SelStart(), 4);
        QCOMPARE(doc->view()->SelLength(), 5);
        // The folder went to the history.
        QCOMPARE(box->directory->itemText(0), path(QStringLiteral("site")));
    }

    void replaceInAFolderAndInAnOpenWindow() {
        TMDIChild* open = frame->OpenDocument(path(QStringLiteral("site/a.html")));
        QVERIFY(open);
        Tsearchbox* box = frame->searchBox();
        box->setMultiFile(true);
        box->dir->click();
        box->directory->setCurrentText(path(QStringLiteral("site")));
        box->find->setPlainText(QStringLiteral("e"));
        box->replace->setPlainText(QStringLiteral("ee"));
        box->ReplaceAllBtn->click();
        // The open document holds the change; its file is not touched.
        QCOMPARE(QByteArray::fromStdString(open->view()->Text()), QByteArray("onee tablee\r\ntwo"));
        QCOMPARE(readFile(path(QStringLiteral("site/a.html"))), QByteArray("one table\r\ntwo"));
        QCOMPARE(readFile(path(QStringLiteral("site/sub/b.htm"))), QByteArray("TABLee heeree"));
        QCOMPARE(readFile(path(QStringLiteral("site/pic.gif"))), QByteArray("table"));
        auto* progress = frame->findChild<TProgressBox*>();
        QVERIFY(progress);
        QCOMPARE(progress->CancelBtn->text(), QStringLiteral("OK"));
        progress->CancelBtn->click();
        QTRY_VERIFY(frame->isEnabled());
    }

    void escAndTheCloseBoxCancelAReplaceAsCancelDoes_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Esc") << false;
        QTest::newRow("close box") << true;
    }
    void escAndTheCloseBoxCancelAReplaceAsCancelDoes() {
        QFETCH(bool, closeBox);
        for (int i = 0; i < 40; ++i) writeFile(path(QStringLiteral("site/many%1.html").arg(i)), "table");
        Tsearchbox* box = frame->searchBox();
        box->setMultiFile(true);
        box->dir->click();
        box->directory->setCurrentText(path(QStringLiteral("site")));
        box->find->setPlainText(QStringLiteral("table"));
        box->replace->setPlainText(QStringLiteral("chair"));
        // The user's key or click arrives while the first file is done.
        QTimer::singleShot(0, frame.get(), [this, closeBox] {
            auto* progress = frame->findChild<TProgressBox*>();
            QVERIFY(progress);
            if (closeBox) progress->close();
            else QTest::keyClick(progress, Qt::Key_Escape);
        });
        box->ReplaceAllBtn->click();
        auto* progress = frame->findChild<TProgressBox*>();
        QVERIFY(progress);  // still there, showing where the run stopped
        QVERIFY(progress->cancelled);
        QCOMPARE(progress->CancelBtn->text(), QStringLiteral("OK"));
        int replaced = 0;
        for (int i = 0; i < 40; ++i) replaced += readFile(path(QStringLiteral("site/many%1.html").arg(i))) == "chair";
        QVERIFY(replaced < 40);
        // Once the run has ended, Esc closes the window.
        QTest::keyClick(progress, Qt::Key_Escape);
        QTRY_VERIFY(!frame->findChild<TProgressBox*>());
        QTRY_VERIFY(frame->isEnabled());
    }

    void aLineBreakTypedInTheFindBoxMeetsEachFilesLineEnds() {
        writeFile(path(QStringLiteral("site/lf.html")), "<p>\none\ntwo\n");
        writeFile(path(QStringLiteral("site/crlf.html")), "<p>\r\none\r\ntwo\r\n");
        Tsearchbox* box = frame->searchBox();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(box->isVisible());
        QTest::keyClicks(box->find, QStringLiteral("one"));
        QTest::keyClick(box->find, Qt::Key_Return);
        QTest::keyClicks(box->find, QStringLiteral("two"));
        QTest::keyClicks(box->replace, QStringLiteral("1"));
        QTest::keyClick(box->replace, Qt::Key_Return);
        QTest::keyClicks(box->replace, QStringLiteral("2"));
        QTest::mouseClick(box->Button1, Qt::LeftButton);
        QTest::mouseClick(box->dir, Qt::LeftButton);
        box->directory->setCurrentText(path(QStringLiteral("site")));
        QTest::mouseClick(box->ReplaceAllBtn, Qt::LeftButton);
        QCOMPARE(readFile(path(QStringLiteral("site/lf.html"))), QByteArray("<p>\n1\n2\n"));
        QCOMPARE(readFile(path(QStringLiteral("site/crlf.html"))), QByteArray("<p>\r\n1\r\n2\r\n"));
        QCOMPARE(readFile(path(QStringLiteral("site/a.html"))), QByteArray("one table\r\ntwo"));
        auto* progress = frame->findChild<TProgressBox*>();
        QVERIFY(progress);
        progress->CancelBtn->click();
        QTRY_VERIFY(frame->isEnabled());
    }

    void replaceInOpenWindowsCounts() {
        frame->OpenDocument(path(QStringLiteral("site/c.txt")));
        Tsearchbox* box = frame->searchBox();
        box->setMultiFile(true);
        box->all->click();
        box->find->setPlainText(QStringLiteral("zzz"));
        box->ReplaceAllBtn->click();
        QCOMPARE(prompts->questions.back().text, QStringLiteral("0 occurrences replaced."));
    }
};

QTEST_MAIN(SiteSearchTest)
#include "sitesearch_test.moc"
