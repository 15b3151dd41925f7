// The user tag sets: the Custom tool bar's menus, prompts and Repeat Tag,
// the manager and the tag editor, and the set files written at exit.
#include "app/mainform.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"
#include "usertags/customtagsui.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using uitest::readFile;
using uitest::writeFile;

class CustomTagsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;
    QString home(const char* name) const { return dir->filePath(QStringLiteral("home/") + QLatin1String(name)); }

    void start(const QByteArray& page = "") {
        writeFile(dir->filePath(QStringLiteral("page.html")), page);
        frame = std::make_unique<TMainForm>(QStringList{QStringLiteral("page.html")}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    TvokRich* ed() { return frame->activeDocument()->view(); }
    QByteArray text() { return QByteArray::fromStdString(ed()->Text()); }
    QList<QAction*> menu(int set) { return frame->CustB[static_cast<std::size_t>(set)]->menu()->actions(); }
    void end() {
        uitest::discardFrame(frame);
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(dir->filePath(QStringLiteral("home")));
        qputenv("XDG_CONFIG_HOME", dir->filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVIRON_HOME", dir->filePath(QStringLiteral("home")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        if (frame) end();
        prompts.reset();
    }

    void tagsFromTheMenuAskTheirPromptsOnce() {
        writeFile(home("CUSTOM1.VOK"), "Site\r\nN=Bold\r\nS=<b>\r\nC=</b>\r\n~\r\nN=-\r\n~\r\n"
                                       "N=Image\r\nS=<img width=$$?=\"Width\" alt=\"$$?=\"Alt\"\">%0D%0A\r\nC=#USERNAME#");
        start("word");
        QCOMPARE(frame->CustB[0]->text(), QStringLiteral("Site"));
        QCOMPARE(frame->CustB[1]->text(), QStringLiteral("Custom Tags"));
        const QList<QAction*> items = menu(0);
        QCOMPARE(items.size(), 3);
        QVERIFY(items[1]->isSeparator());
        ed()->SetSel(0, 4);
        items[0]->trigger();
        QCOMPARE(text(), QByteArray("<b>word</b>"));
        QCOMPARE(QByteArray::fromStdString(ed()->SelText()), QByteArray("word"));

        prompts->inputs = {QStringLiteral("100"), QStringLiteral("a cat")};
        ed()->SetSel(0, 0);
        items[2]->trigger();
        const QByteArray image = "<img width=100 alt=\"a cat\">\r\n";
        QVERIFY(text().startsWith(image));
        QVERIFY(prompts->inputs.empty());
        // Repeat Tag brings the same answers without asking again.
        ed()->SetSel(0, 0);
        frame->command("RepeatTag1")->trigger();
        QCOMPARE(text().count(image), 2);

        // A cancelled prompt puts nothing in.
        const QByteArray before = text();
        prompts->inputs = {QString()};
        items[2]->trigger();
        QCOMPARE(text(), before);
        QVERIFY(!frame->Tags[0]->set.changed);
    }

    void managerEditsTheSetAndExitWritesIt() {
        start();
        prompts->dialogScripts.push_back([this](QDialog& d) {
            auto* box = qobject_cast<TCustomBox*>(&d);
            if (!box) return int(QDialog::Rejected);
            box->button->setText(QStringLiteral("Mine"));
            // A new tag typed in two lines.
            prompts->dialogScripts.push_back([](QDialog& e) {
                auto* edit = qobject_cast<TTagEdit*>(&e);
                if (!edit || edit->ok->isEnabled()) return int(QDialog::Rejected);
                edit->tagname->setText(QStringLiteral("Para"));
                edit->start->setPlainText(QStringLiteral("<p>\nx"));
                edit->close->setPlainText(QStringLiteral("</p>"));
                return int(QDialog::Accepted);
            });
            box->NewBtn->click();
            return int(QDialog::Accepted);
        });
        frame->Customize1Click(2);
        TCustomTags* set = frame->Tags[1];
        QCOMPARE(frame->CustB[1]->text(), QStringLiteral("Mine"));
        QCOMPARE(set->set.tags.size(), std::size_t(1));
        QCOMPARE(set->set.tags[0].start, std::string("<p>%0D%0Ax"));
        end();
        const QByteArray file = readFile(home("CUSTOM2.VOK"));
        QVERIFY(file.startsWith("Mine\r\nN=Para\r\nS=<p>%0D%0Ax\r\nC=</p>\r\n~\r\n"));
        QVERIFY(!QFile::exists(home("CUSTOM1.VOK")));  // unchanged sets are not written
    }

    void managerListCommands() {
        QByteArray file = "Many\r\n";
        for (int i = 0; i < 26; ++i) file += "N=t" + QByteArray::number(i) + "\r\nS=<" + QByteArray::number(i) + ">\r\n~\r\n";
        writeFile(home("CUSTOM3.VOK"), file);
        start();
        TCustomTags* set = frame->Tags[2];
        TCustomBox box(*set, QFont());
        QCOMPARE(box.NameList->count(), 26);
        QCOMPARE(box.NameList->currentRow(), 0);
        box.NewClick();
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions[0].text, QStringLiteral("Sorry, you have reached the maximum number of tags."));
        QCOMPARE(box.NameList->count(), 26);
        box.Up->click();  // not past the top
        box.Down->click();
        QCOMPARE(set->set.tags[1].name, std::string("t0"));
        QCOMPARE(box.NameList->currentRow(), 1);
        box.dropRow(1, 25);
        QCOMPARE(set->set.tags[25].name, std::string("t0"));
        QCOMPARE(box.NameList->item(25)->text(), QStringLiteral("t0"));
        box.NameList->setCurrentRow(0);
        box.DeleteBtn->click();
        QCOMPARE(box.NameList->count(), 25);
        QCOMPARE(box.NameList->currentRow(), 0);
        QCOMPARE(set->set.tags[0].name, std::string("t2"));
        QCOMPARE(menu(2).size(), 25);
        QCOMPARE(menu(2)[0]->text(), QStringLiteral("t2"));
        // Editing shows the texts decoded and keeps the row.
        box.NameList->setCurrentRow(3);
        prompts->dialogScripts.push_back([](QDialog& e) {
            auto* edit = qobject_cast<TTagEdit*>(&e);
            if (!edit || edit->start->toPlainText() != QStringLiteral("<5>")) return int(QDialog::Rejected);
            edit->tagname->setText(QStringLiteral("five"));
            return int(QDialog::Accepted);
        });
        box.EditBtn->click();
        QCOMPARE(box.NameList->item(3)->text(), QStringLiteral("five"));
        QCOMPARE(set->set.tags[3].start, std::string("<5>"));
        QVERIFY(set->set.changed);
    }
};

QTEST_MAIN(CustomTagsTest)
#include "customtags_test.moc"
