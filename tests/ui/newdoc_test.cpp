// New documents from the new-document dialog, from a template and from the
// New tool button, driven through the File menu.
#include "app/mainform.h"
#include "base/settings.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "uitest.h"
#include "usertags/newdocbox.h"
#include "widgets/colorbutton.h"
#include "widgets/historycombo.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using uitest::writeFile;

class NewDocTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;

    void start(const QByteArray& settings = "") {
        QDir().mkpath(dir->filePath(QStringLiteral("config/Taviron")));
        writeFile(dir->filePath(QStringLiteral("config/Taviron/Taviron.conf")), "[Settings]\n" + settings);
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    QByteArray text(TMDIChild* c) { return QByteArray::fromStdString(c->view()->Text()); }
    std::string stored(const char* key) {
        const auto store = tv::openSettingsStore();
        const auto list = tv::readListSection(*store, key);
        return list.empty() ? std::string() : list.front();
    }
    // The template dialog gets a file and a title and OK.
    void chooseTemplate(const QString& file, const QString& title) {
        prompts->dialogScripts.push_back([file, title](QDialog& d) {
            auto* box = qobject_cast<TTemplateBox*>(&d);
            if (!box) return int(QDialog::Rejected);
            box->templateName->setCurrentText(file);
            box->title->setText(title);
            return int(QDialog::Accepted);
        });
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", dir->filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVIRON_HOME", dir->filePath(QStringLiteral("home")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void dialogBuildsTheSkeleton() {
        start();
        prompts->colors.push_back(tv::ColorValue(0xFF0000));  // blue
        prompts->opens.push_back(QStringLiteral("/pictures/back.gif"));
        prompts->dialogScripts.push_back([](QDialog& d) {
            auto* box = qobject_cast<TNewDoc*>(&d);
            if (!box) return int(QDialog::Rejected);
            auto* dtd = box->findChild<QComboBox*>(QStringLiteral("dtd"));
            if (dtd->count() != 6 || !dtd->currentText().isEmpty()) return int(QDialog::Rejected);
            dtd->setCurrentIndex(3);
            box->findChild<QLineEdit*>(QStringLiteral("title"))->setText(QStringLiteral("Home"));
            box->findChild<TColorButton*>(QStringLiteral("cb3"))->click();
            for (QPushButton* b : box->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("Browse...")) b->click();
            return int(QDialog::Accepted);
        });
        frame->FromDialog1->trigger();
        QCOMPARE(prompts->dialogsRun, QStringList{QStringLiteral("TNewDoc")});
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(doc);
        const QByteArray expected =
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
            "<TITLE>Home</TITLE>\r\n</HEAD>\r\n<BODY BACKGROUND=\"back.gif\" LINK=\"#0000FF\">\r\n\r\n</BODY>\r\n</HTML>";
        QCOMPARE(text(doc), expected);
        QCOMPARE(doc->view()->SelStart(), expected.size() - 18);
        QVERIFY(!doc->view()->Modified());
        QVERIFY(!frame->SaveBtn->isEnabled());
        QCOMPARE(stored("SrcHistory"), std::string("back.gif"));

        // Cancel makes nothing and remembers nothing.
        frame->FromDialog1->trigger();
        QCOMPARE(frame->documents().size(), std::size_t(1));
    }

    void templateFillsItsMacrosForTheTitle() {
        start();
        const QString tpl = dir->filePath(QStringLiteral("page.tpl.html"));
        writeFile(tpl, "<TITLE>#TITLE#</TITLE>\r\n#FILENAME#");
        chooseTemplate(tpl, QStringLiteral("Home"));
        frame->FromTemplate1->trigger();
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(doc);
        QCOMPARE(text(doc), QByteArray("<TITLE>Home</TITLE>\r\n#FILENAME#"));
        QVERIFY(doc->FileName().startsWith(QStringLiteral("Untitled")));
        QVERIFY(!doc->view()->Modified());
        QCOMPARE(doc->view()->SelStart(), 0);
        QCOMPARE(stored("Templates"), tpl.toStdString());
        TTemplateBox again;
        QCOMPARE(again.templateName->currentText(), tpl);

        // A template with a missing include says so and stays as loaded.
        writeFile(tpl, "<!--##INCLUDE=\"gone.txt\"##--><!--##ENDINCLUDE##-->");
        chooseTemplate(tpl, QString());
        frame->FromTemplate1->trigger();
        QCOMPARE(text(frame->activeDocument()), QByteArray("<!--##INCLUDE=\"gone.txt\"##--><!--##ENDINCLUDE##-->"));
        QVERIFY(!frame->activeDocument()->view()->Modified());
        QCOMPARE(prompts->questions.size(), std::size_t(1));

        // One deleted since gives an empty document, without a message.
        QFile::remove(tpl);
        chooseTemplate(tpl, QStringLiteral("x"));
        frame->FromTemplate1->trigger();
        QCOMPARE(frame->documents().size(), std::size_t(3));
        QCOMPARE(text(frame->activeDocument()), QByteArray());
        QCOMPARE(prompts->questions.size(), std::size_t(1));
    }

    void newButtonFollowsTheOption() {
        start("NewFiles=2\n");
        frame->NewBtn->trigger();
        QCOMPARE(prompts->dialogsRun, QStringList{QStringLiteral("TTemplateBox")});
        QVERIFY(frame->documents().empty());
        frame.reset();
        start("NewFiles=0\n");
        frame->NewBtn->trigger();
        QCOMPARE(prompts->dialogsRun.size(), 1);
        QCOMPARE(frame->documents().size(), std::size_t(1));
    }
};

QTEST_MAIN(NewDocTest)
#include "newdoc_test.moc"
