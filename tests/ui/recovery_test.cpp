// The recovery journal: a frame killed without a word leaves its unsaved
// text to the next start, which offers it back; running frames never take
// each other's entries. Started with "--typist FOLDER", this program is the
// frame that types and is killed.
#include "app/documents.h"
#include "app/journal.h"
#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

using uitest::readFile;
using uitest::writeFile;

namespace {

QStringList journalFiles() {
    return QDir(QString::fromStdString(tv::recoveryFolder())).entryList({QStringLiteral("*.journal")}, QDir::Files);
}

// The frame that is killed: it opens FOLDER/page.html and a new document,
// types into both, says "ready" once both are in the journal, and waits.
int typist(const QString& folder) {
    TestPrompter prompts;
    TMainForm frame({folder + QStringLiteral("/page.html")}, folder);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) return 4;
    TMDIChild* page = frame.activeDocument();
    if (!page) return 2;
    page->view()->setFocus();
    QTest::keyClicks(page->view(), "typed before the crash ");
    TMDIChild* untitled = frame.docs()->NewFile();
    untitled->view()->setFocus();
    QTest::keyClicks(untitled->view(), "a new page");
    // The journal keeps up by itself, at most two seconds behind.
    for (int i = 0; i < 100 && journalFiles().size() < 2; ++i) QTest::qWait(100);
    if (journalFiles().size() < 2) return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) QTest::qWait(1000);
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    QString path(const QString& n) const { return dir->filePath(n); }

    // A frame process that typed and was killed with SIGKILL.
    void killATypist() {
        writeFile(path(QStringLiteral("page.html")), "on disk\n");
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--typist"), dir->path()});
        QVERIFY(p.waitForStarted(5000));
        QVERIFY(p.waitForReadyRead(20000));
        QCOMPARE(p.readAllStandardOutput(), QByteArray("ready\n"));
        p.kill();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QCOMPARE(journalFiles().size(), 2);
    }
    void startFrame() {
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QCoreApplication::processEvents();  // the recovery question comes once the frame shows
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", path(QStringLiteral("state")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void aKilledFrameLeavesItsTextToTheNextStart() {
        killATypist();
        prompts->answers = {Prompter::Yes};
        startFrame();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text,
                 QStringLiteral("Taviron did not close normally. Recover 2 unsaved documents?"));
        QVERIFY(prompts->questions[0].defaultButton == Prompter::Yes);
        const auto docs = frame->documents();
        QCOMPARE(docs.size(), std::size_t(2));
        TMDIChild* page = frame->docs()->FindDocument(path(QStringLiteral("page.html")));
        QVERIFY(page);
        QCOMPARE(QByteArray::fromStdString(page->view()->Text()), QByteArray("typed before the crash on disk\r\n"));
        QVERIFY(page->view()->Modified());
        TMDIChild* other = docs[0] == page ? docs[1] : docs[0];
        QVERIFY(other->IsUntitled());
        QCOMPARE(QByteArray::fromStdString(other->view()->Text()), QByteArray("a new page"));
        // The file is not touched until it is saved; then it is exact.
        QCOMPARE(readFile(path(QStringLiteral("page.html"))), QByteArray("on disk\n"));
        QTest::keySequence(page->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(readFile(path(QStringLiteral("page.html"))), QByteArray("typed before the crash on disk\n"));
        // The dead frame's entries are gone; the untitled text is in ours.
        frame->journal()->flush();
        QCOMPARE(journalFiles().size(), 1);
    }

    void noDiscardsTheEntries() {
        killATypist();
        prompts->answers = {Prompter::No};
        startFrame();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QVERIFY(frame->documents().empty());
        QVERIFY(journalFiles().isEmpty());
        // Asked once: the next start has nothing to offer.
        uitest::discardFrame(frame);
        startFrame();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
    }

    void runningFramesKeepTheirOwnEntries() {
        writeFile(path(QStringLiteral("a.html")), "a");
        startFrame();
        TMDIChild* doc = frame->OpenDocument(path(QStringLiteral("a.html")));
        doc->view()->setFocus();
        QTest::keyClicks(doc->view(), "edit ");
        frame->journal()->flush();
        QCOMPARE(journalFiles().size(), 1);
        {
            // A second frame of the same user (as "-n" starts) takes nothing.
            TMainForm second({}, dir->path());
            second.show();
            QVERIFY(QTest::qWaitForWindowExposed(&second));
            QVERIFY(prompts->questions.empty());
            QVERIFY(second.documents().empty());
            QCOMPARE(journalFiles().size(), 1);
        }
        // Saving removes the entry.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keySequence(doc->view(), QKeySequence(Qt::CTRL | Qt::Key_S));
        frame->journal()->flush();
        QVERIFY(journalFiles().isEmpty());
    }

    void settingsChangedAtRunTimeAreWrittenAtOnce() {
        startFrame();
        frame->resize(611, 433);
        QTRY_VERIFY_WITH_TIMEOUT(readFile(path(QStringLiteral("config/Taviron/Taviron.conf"))).contains("Width=611"), 5000);
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--typist") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return typist(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
