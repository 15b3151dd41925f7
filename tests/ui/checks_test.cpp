// The checks in the frame: Text > Check Page (Shift+F7) and its Problems
// pane, checking as one types, and Project > Check Links.
#include "app/documents.h"
#include "app/mainform.h"
#include "check/problemspane.h"
#include "editor/tvokrich.h"
#include "testprompter.h"
#include "uitest.h"
#include "window/mdichild.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using uitest::writeFile;

class ChecksTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }
    void start(const QByteArray& settings = "") {
        uitest::writeSettings(path(QStringLiteral("config")), settings);
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    QTreeWidget* list() const { return frame->ProblemsPanel->List; }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* top = list()->topLevelItem(i);
            if (top->childCount() == 0) out << top->text(0) + QLatin1Char(' ') + top->text(2);
            for (int k = 0; k < top->childCount(); ++k)
                out << top->text(0) + QLatin1Char(' ') + top->child(k)->text(0) + QLatin1Char(' ') + top->child(k)->text(2);
        }
        return out;
    }
    // The editor's line and column of the caret, both from 1, the column
    // in characters.
    QPoint caretOf(TMDIChild* c) { return {c->view()->CaretColumn() + 1, c->view()->CaretLine() + 1}; }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVIRON_HOME", path(QStringLiteral("home")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void checkPageListsProblemsAndEnterGoesThere() {
        start();
        writeFile(path(QStringLiteral("p.html")),
                  "<!DOCTYPE html>\n<html><head><title>T</title></head><body>\n<p>D\xC3\xA9j\xC3\xA0 vu\t<foo>x</foo>\n</body></html>");
        TMDIChild* doc = frame->OpenDocument(path(QStringLiteral("p.html")));
        QTest::keyClick(frame.get(), Qt::Key_F7, Qt::ShiftModifier);
        QVERIFY(frame->paneShown("ProblemsPane"));
        QTRY_COMPARE(rows(), (QStringList{QStringLiteral("3:12 <foo> is not recognized!"), QStringLiteral("3:12 discarding unexpected <foo>"),
                                          QStringLiteral("3:18 discarding unexpected </foo>")}));
        QVERIFY(frame->ProblemsPanel->Summary->text().contains(QStringLiteral("1 error, 2 warnings")));
        list()->setFocus();
        list()->setCurrentItem(list()->topLevelItem(2));
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(caretOf(doc), QPoint(18, 3));
        QCOMPARE(doc->view()->Text().substr(static_cast<std::size_t>(doc->view()->CaretPosition()), 6), std::string("</foo>"));
        // The tool button does the same.
        list()->clear();
        frame->command("CheckPageBtn")->trigger();
        QTRY_COMPARE(list()->topLevelItemCount(), 3);
    }

    void checkAsYouTypeAndEditsDropAnOlderCheck() {
        start("CheckAsYouType=1\nCheckWarnings=0\n");
        TMDIChild* doc = frame->docs()->NewFile();
        frame->showPane("ProblemsPane", true);
        QTest::keyClicks(doc->view(), "<!DOCTYPE html><title>t</title><bar>");
        QTRY_COMPARE(rows(), QStringList{QStringLiteral("1:32 <bar> is not recognized!")});  // errors only
        QTest::keyClick(doc->view(), Qt::Key_Home);
        QTest::keyClick(doc->view(), Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(doc->view(), "<!DOCTYPE html><title>t</title><p>fine");
        QTRY_COMPARE(rows(), QStringList{});
        QVERIFY(frame->ProblemsPanel->Summary->text().contains(QStringLiteral("0 errors")));
    }

    void checkLinksOfAFolderOpensTheFileAtTheProblem() {
        start();
        QDir().mkpath(path(QStringLiteral("site/img")));
        writeFile(path(QStringLiteral("site/index.html")), "<p>caf\xC3\xA9\n<a href=\"other.html#x\">o</a> <img src=\"img/Gone.png\">");
        writeFile(path(QStringLiteral("site/other.html")), "<p id=y>");
        writeFile(path(QStringLiteral("site/img/spare.png")), "");
        prompts->folders.push_back(path(QStringLiteral("site")));
        prompts->answers.push_back(Prompter::No);  // not the links to the web
        frame->command("CheckLinks1")->trigger();
        QVERIFY(prompts->questions.back().text.contains(QStringLiteral("links to the web")));
        QVERIFY(frame->paneShown("ProblemsPane"));
        QCOMPARE(rows(), (QStringList{QStringLiteral("index.html 2:10 no id or name \"x\" in \"other.html\""),
                                      QStringLiteral("index.html 2:40 missing file \"img/Gone.png\""),
                                      QStringLiteral("Files no page or style sheet refers to img/spare.png ")}));
        QTreeWidgetItem* missing = list()->topLevelItem(0)->child(1);
        emit list()->itemDoubleClicked(missing, 0);
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(doc);
        QCOMPARE(doc->FileName(), path(QStringLiteral("site/index.html")));
        QCOMPARE(caretOf(doc), QPoint(40, 2));
    }
};

QTEST_MAIN(ChecksTest)
#include "checks_test.moc"
