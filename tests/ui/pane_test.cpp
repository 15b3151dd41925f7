// The file pane and projects in the frame: dragging files into documents,
// the project tree and its commands, the pane's settings and the project
// scope of the search dialog.
#include "files/diskpane.h"
#include "files/filepaneui.h"
#include "files/projectpane.h"
#include "app/mainform.h"
#include "app/documents.h"
#include "files/project.h"
#include "base/settings.h"
#include "dialogs/objectboxes.h"
#include "editor/imagesize.h"
#include "window/mdichild.h"
#include "testprompter.h"
#include "tools/searchbox.h"
#include "tools/searchwindows.h"
#include "uitest.h"
#include "widgets/historycombo.h"
#include "widgets/panedrag.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QImageWriter>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMimeData>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QDockWidget>
#include <QLabel>
#include <QTest>
#include <QtEndian>

using uitest::readFile;
using uitest::writeFile;

namespace {
// The first 24 bytes of a PNG file: the signature and the header chunk.
QByteArray pngHeader(quint32 width, quint32 height) {
    QByteArray b("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    quint32 w = qToBigEndian(width), h = qToBigEndian(height);
    b.append(reinterpret_cast<const char*>(&w), 4);
    b.append(reinterpret_cast<const char*>(&h), 4);
    return b + QByteArray(9, '\0');
}
// A real GIF: a two-colour picture of w by h pixels whose LZW codes stay
// three bits wide (a clear code before every two pixels). The colour table
// is global or local to the image; its first colour is made of 0x2C bytes,
// which the size reader must pass over.
QByteArray gifFile(int w, int h, bool globalTable) {
    auto le16 = [](QByteArray& b, int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    const QByteArray table("\x2C\x2C\x2C\xFF\xFF\xFF", 6);
    QByteArray b("GIF89a");
    le16(b, w);
    le16(b, h);
    b.append(char(globalTable ? 0x80 : 0)).append('\0').append('\0');
    if (globalTable) b += table;
    b += QByteArray("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);  // graphic control extension
    b.append('\x2C');
    le16(b, 0);
    le16(b, 0);
    le16(b, w);
    le16(b, h);
    b.append(char(globalTable ? 0 : 0x80));
    if (!globalTable) b += table;
    std::vector<int> codes;
    for (int i = 0; i < w * h; ++i) {
        if (i % 2 == 0) codes.push_back(4);  // clear
        codes.push_back(i % 3 == 0 ? 1 : 0);
    }
    codes.push_back(5);  // end
    QByteArray packed;
    int acc = 0, bits = 0;
    for (int c : codes) {
        acc |= c << bits;
        bits += 3;
        while (bits >= 8) {
            packed.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) packed.append(char(acc & 0xFF));
    b.append('\x02');  // minimum code size
    for (qsizetype i = 0; i < packed.size(); i += 255) {
        const QByteArray block = packed.mid(i, 255);
        b.append(char(block.size()));
        b += block;
    }
    b.append('\0').append('\x3B');
    return b;
}
} // namespace

class PaneTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestPrompter> prompts;
    std::unique_ptr<TMainForm> frame;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }
    void start(const QByteArray& settings = "") {
        uitest::writeSettings(path(QStringLiteral("config")), settings);
        restart();
    }
    // A start with the settings the last frame left.
    void restart() {
        frame = std::make_unique<TMainForm>(QStringList{}, dir->path());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    TFilePane* pane() const { return frame->FilePanel; }
    TDiskPane* disk() const { return frame->diskPane(); }
    TProjectPane* proj() const { return frame->projectPane(); }
    QByteArray text(TMDIChild* c) const { return QByteArray::fromStdString(c->view()->Text()); }
    // Drags the data over the document's editor and drops it there.
    // Takes the data, as a drag does.
    bool dropOn(TMDIChild* c, QMimeData* given, QPoint at = {5, 5}) {
        const std::unique_ptr<QMimeData> owned(given);
        QMimeData* data = owned.get();
        QWidget* target = c->view()->viewport();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return false;
        QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }
    // The drag data the list itself makes for its row.
    QMimeData* dragOf(QListWidget* list, const QString& label) {
        const auto items = list->findItems(label, Qt::MatchEndsWith);
        if (items.isEmpty()) return nullptr;
        list->setCurrentItem(items.first());
        return list->model()->mimeData({list->indexFromItem(items.first())});
    }
    QStringList projectRows() const {
        QStringList rows;
        for (int i = 0; i < proj()->ListBox1->count(); ++i) rows << proj()->ListBox1->item(i)->text();
        return rows;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVIRON_HOME", path(QStringLiteral("home")).toLocal8Bit());
        prompts = std::make_unique<TestPrompter>();
        QDir().mkpath(path(QStringLiteral("site/sub")));
        writeFile(path(QStringLiteral("site/page.html")), "");
        writeFile(path(QStringLiteral("site/pic.png")), pngHeader(100, 50));
        writeFile(path(QStringLiteral("site/sub/deep.png")), pngHeader(7, 9));
        writeFile(path(QStringLiteral("site/sub/other.html")), "x");
        writeFile(path(QStringLiteral("top.html")), "y");
    }
    void cleanup() {
        uitest::discardFrame(frame);
        prompts.reset();
    }

    void dropsFromTheDiskListInsertSizedImagesAndLinks() {
        start();
        TMDIChild* doc = frame->OpenDocument(path(QStringLiteral("site/page.html")));
        QVERIFY(doc);
        disk()->setFolder(path(QStringLiteral("site")));
        disk()->setFilterIndex(2);  // "Image Files"
        QCOMPARE(disk()->FileList->count(), 1);
        QVERIFY(dropOn(doc, dragOf(disk()->FileList, QStringLiteral("pic.png"))));
        QCOMPARE(text(doc), QByteArray("<IMG SRC=\"pic.png\" WIDTH=100 HEIGHT=50>"));
        QVERIFY(doc->view()->Modified());

        // A link goes around the selection, as one undo step.
        doc->view()->SetText("go");
        doc->view()->SetSel(0, 2);
        disk()->setFolder(path(QStringLiteral("site/sub")));
        disk()->setFilterIndex(3);
        QVERIFY(dropOn(doc, dragOf(disk()->FileList, QStringLiteral("other.html"))));
        QCOMPARE(text(doc), QByteArray("<A HREF=\"sub/other.html\">go</A>"));
        doc->view()->Undo();
        QCOMPARE(text(doc), QByteArray("go"));
    }

    void realImagesGiveTheirSizes() {
        QImage picture(64, 40, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        struct Case {
            QString name;
            int width, height;  // what the reader must give
        };
        QVERIFY(picture.save(path(QStringLiteral("real.png"))));
        QVERIFY(picture.scaled(33, 21).save(path(QStringLiteral("base.jpg")), "JPEG", 80));
        QImageWriter progressive(path(QStringLiteral("prog.jpeg")), "jpeg");
        progressive.setProgressiveScanWrite(true);
        QVERIFY(progressive.write(picture));
        writeFile(path(QStringLiteral("global.gif")), gifFile(300, 7, true));
        writeFile(path(QStringLiteral("local.GIF")), gifFile(5, 260, false));
        const Case cases[] = {{QStringLiteral("real.png"), 64, 40},
                              {QStringLiteral("base.jpg"), 33, 21},
                              {QStringLiteral("prog.jpeg"), 0, 0},  // progressive: no size
                              {QStringLiteral("global.gif"), 300, 7},
                              {QStringLiteral("local.GIF"), 5, 260}};
        for (const Case& c : cases) {
            const QString file = path(c.name);
            QVERIFY2(!QImage(file).isNull(), qPrintable(c.name));  // the file is a real picture
            std::uint32_t w = 0, h = 0;
            tv::ReadImageSize(file.toStdString(), w, h);
            QCOMPARE(int(w), c.width);
            QCOMPARE(int(h), c.height);
        }
        // Dropped into an untitled document: the bare name, SRC alone for
        // the progressive JPEG.
        start();
        TMDIChild* doc = frame->docs()->NewFile();
        QVERIFY(dropOn(doc, paneDragData(QStringLiteral("FileList"), path(QStringLiteral("prog.jpeg")))));
        QCOMPARE(text(doc), QByteArray("<IMG SRC=\"prog.jpeg\">"));
    }

    void dragOverMovesTheCaretAndForeignDataIsRefused() {
        start();
        TMDIChild* doc = frame->OpenDocument(path(QStringLiteral("site/page.html")));
        doc->view()->SetText("abcdefghij");
        doc->view()->SetSelStart(0);
        const QRect r = doc->view()->viewport()->rect();
        QMimeData* data = paneDragData(QStringLiteral("FileList"), path(QStringLiteral("top.html")));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(doc->view()->viewport(), &enter);
        QDragMoveEvent move(QPoint(r.right() - 2, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(doc->view()->viewport(), &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(doc->view()->SelStart(), 10);  // the caret follows the mouse to the line's end
        delete data;

        // Data that names another process, or another list, is not ours.
        auto* foreign = new QMimeData;
        foreign->setData(paneDragMimeType(), "1\nFileList\n/etc/passwd");
        QVERIFY(!dropOn(doc, foreign));
        QVERIFY(!dropOn(doc, paneDragData(QStringLiteral("TreeView1"), path(QStringLiteral("top.html")))));
        QCOMPARE(text(doc), QByteArray("abcdefghij"));
    }

    void projectCommandsTreeAndFileBytes() {
        start();
        frame->NewProject1->trigger();
        QCOMPARE(pane()->Notebook1->currentIndex(), 1);
        QVERIFY(frame->paneShown("FileList"));
        // Add Files from the tree's pop-up, one of them twice in another case.
        prompts->opens.push_back(path(QStringLiteral("site/pic.png")) + QLatin1Char('\n') + path(QStringLiteral("top.html")));
        proj()->updatePopups();
        QVERIFY(proj()->TreeAddFiles1->isEnabled());
        QVERIFY(!proj()->DeleteFolder1->isEnabled());  // the root stays
        proj()->TreeAddFiles1->trigger();
        QCOMPARE(prompts->openRequests.back().title, QStringLiteral("Select Documents"));
        QCOMPARE(projectRows(), (QStringList{path(QStringLiteral("site/pic.png")), path(QStringLiteral("top.html"))}));
        proj()->addToSelectedFolder(path(QStringLiteral("TOP.HTML")).replace(QStringLiteral("TOP.HTML"), QStringLiteral("top.html")));
        QCOMPARE(projectRows().size(), 2);

        // A sub-folder, renamed by editing its label.
        proj()->AddFolder1->trigger();
        QTreeWidgetItem* sub = proj()->TreeView1->currentItem();
        QVERIFY(sub && sub->parent());
        sub->setText(0, QStringLiteral("Pages"));
        QCOMPARE(frame->project().GetFolder(0)->Title(), std::string("Pages"));

        // Drag top.html from the root's list onto the sub-folder: it moves.
        proj()->TreeView1->setCurrentItem(sub->parent());
        QMimeData* data = dragOf(proj()->ListBox1, QStringLiteral("top.html"));
        QVERIFY(data);
        const QPoint at = proj()->TreeView1->visualItemRect(sub).center();
        QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(proj()->TreeView1->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(proj()->TreeView1->viewport(), &drop);
        delete data;
        QCOMPARE(projectRows(), QStringList{path(QStringLiteral("site/pic.png"))});
        // Rows of the disk's list are not taken, nor a drop below the folders.
        for (const auto& [source, where] : {std::pair{"FileList", at}, {"ListBox1", QPoint(5, proj()->TreeView1->viewport()->height() - 3)}}) {
            proj()->ListBox1->setCurrentRow(0);
            const std::unique_ptr<QMimeData> other(paneDragData(QLatin1String(source), path(QStringLiteral("site/pic.png"))));
            QDragEnterEvent offer(where, Qt::MoveAction, other.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(proj()->TreeView1->viewport(), &offer);
            QDropEvent put(QPointF(where), Qt::MoveAction, other.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(proj()->TreeView1->viewport(), &put);
            QVERIFY(!put.isAccepted());
            QCOMPARE(projectRows(), QStringList{path(QStringLiteral("site/pic.png"))});
        }
        QCOMPARE(frame->project().GetFolder(0)->Files(), std::vector<std::string>{path(QStringLiteral("top.html")).toStdString()});

        // Save As writes the file; it reads back equal.
        prompts->saves.push_back({path(QStringLiteral("site.vkp")), 1});
        frame->SaveProjectAs1->trigger();
        QCOMPARE(frame->ProjectFileName(), path(QStringLiteral("site.vkp")));
        QCOMPARE(prompts->saveRequests.back().defaultSuffix, QStringLiteral("vkp"));
        QVERIFY(!frame->project().ProjectModified());
        tv::TProject back;
        back.LoadFromFile(path(QStringLiteral("site.vkp")).toStdString());
        QCOMPARE(back.Files().size(), std::size_t(1));
        QCOMPARE(back.GetFolder(0)->Title(), std::string("Pages"));

        // Delete Folder on the sub-folder; Close then asks to save.
        proj()->TreeView1->setCurrentItem(proj()->TreeView1->topLevelItem(0)->child(0));
        proj()->updatePopups();
        QVERIFY(proj()->DeleteFolder1->isEnabled());
        proj()->DeleteFolder1->trigger();
        QCOMPARE(frame->project().FolderCount(), 0);
        prompts->answers.push_back(Prompter::Cancel);
        frame->CloseProject1->trigger();
        QCOMPARE(prompts->questions.back().text, QStringLiteral("Save changes to ") + path(QStringLiteral("site.vkp")) + QLatin1Char('?'));
        QCOMPARE(proj()->TreeView1->topLevelItemCount(), 1);  // cancelled: still open
        prompts->answers.push_back(Prompter::No);
        frame->CloseProject1->trigger();
        QCOMPARE(proj()->TreeView1->topLevelItemCount(), 0);
        QCOMPARE(frame->ProjectFileName(), QStringLiteral("Untitled.vkp"));

        // Opening the file by the document route loads it as the project.
        QVERIFY(!frame->OpenDocument(path(QStringLiteral("site.vkp"))));
        QCOMPARE(frame->project().FolderCount(), 1);
        QCOMPARE(frame->documents().size(), std::size_t(0));
    }

    void projectListDropsReferencesRelativeToTheDocument() {
        start();
        TMDIChild* doc = frame->OpenDocument(path(QStringLiteral("site/sub/other.html")));
        frame->NewProject1->trigger();
        proj()->addToSelectedFolder(path(QStringLiteral("site/pic.png")));
        proj()->addToSelectedFolder(path(QStringLiteral("site/sub/deep.png")));
        proj()->addToSelectedFolder(path(QStringLiteral("top.html")));
        doc->view()->SetText("");
        QVERIFY(dropOn(doc, dragOf(proj()->ListBox1, QStringLiteral("pic.png"))));
        QVERIFY(dropOn(doc, dragOf(proj()->ListBox1, QStringLiteral("deep.png"))));
        // The second drop went where the mouse was: before the first.
        QCOMPARE(text(doc), QByteArray("<IMG SRC=\"deep.png\" WIDTH=7 HEIGHT=9><IMG SRC=\"../pic.png\" WIDTH=100 HEIGHT=50>"));
        // The hint of a row is its full path, in the status bar's message
        // area while the pointer is on the row.
        auto* message = frame->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
        const QRect row = proj()->ListBox1->visualItemRect(proj()->ListBox1->item(0));
        QTest::mouseMove(proj()->ListBox1->viewport(), row.center());
        QCOMPARE(message->text().trimmed(), path(QStringLiteral("site/pic.png")));
        QTest::mouseMove(doc->view()->viewport(), QPoint(5, 5));
        QTRY_COMPARE(message->text().trimmed(), QString());
    }

    void doubleClickOpensTextAndTagsImages() {
        start();
        frame->NewProject1->trigger();
        proj()->addToSelectedFolder(path(QStringLiteral("site/pic.png")));
        proj()->addToSelectedFolder(path(QStringLiteral("top.html")));
        // Without a document, an image does nothing.
        pane()->actions.fileAction(path(QStringLiteral("site/pic.png")), true);
        QVERIFY(prompts->dialogsRun.isEmpty());
        pane()->actions.fileAction(path(QStringLiteral("top.html")), true);
        TMDIChild* doc = frame->activeDocument();
        QVERIFY(doc);
        QCOMPARE(doc->FileName(), path(QStringLiteral("top.html")));
        prompts->dialogScripts.push_back([](QDialog& d) {
            auto* box = qobject_cast<TImageBox*>(&d);
            return box && box->src->currentText() == QStringLiteral("site/pic.png") ? int(QDialog::Accepted)
                                                                                      : int(QDialog::Rejected);
        });
        doc->view()->SetText("");
        // A double click on the image's row makes its tag.
        const QRect picRow = proj()->ListBox1->visualItemRect(proj()->ListBox1->item(0));
        QTest::mouseClick(proj()->ListBox1->viewport(), Qt::LeftButton, {}, picRow.center());
        QTest::mouseDClick(proj()->ListBox1->viewport(), Qt::LeftButton, {}, picRow.center());
        QCOMPARE(prompts->dialogsRun, QStringList{QStringLiteral("TImageBox")});
        QVERIFY(text(doc).startsWith("<IMG SRC=\"site/pic.png\""));
        // The list's pop-up: Open is the default for text, Make tag otherwise.
        proj()->ListBox1->setCurrentRow(1);
        proj()->updatePopups();
        QCOMPARE(proj()->ProjListPopup->defaultAction(), proj()->ProjOpen1);
        proj()->ListBox1->setCurrentRow(0);
        proj()->updatePopups();
        QCOMPARE(proj()->ProjListPopup->defaultAction(), proj()->ProjMakeTag1);
        QVERIFY(proj()->ProjMakeTag1->isEnabled());
        proj()->RemoveFile1->trigger();
        QCOMPARE(projectRows(), QStringList{path(QStringLiteral("top.html"))});
        // The disk list's pop-up likewise.
        disk()->setFolder(path(QStringLiteral("site")));
        for (const auto& [name, wanted] : {std::pair{"pic.png", disk()->MakeTag1}, {"page.html", disk()->FileOpen1}}) {
            disk()->FileList->setCurrentItem(disk()->FileList->findItems(QLatin1String(name), Qt::MatchEndsWith).value(0));
            disk()->updatePopup();
            QCOMPARE(disk()->FileListPopup->defaultAction(), wanted);
        }
    }

    void projectMenuEnablingAndAddCurrentFile() {
        start();
        emit frame->Project1->aboutToShow();
        QVERIFY(!frame->AddFiles1->isEnabled());  // the pane is hidden
        frame->showPanePage(1);
        emit frame->Project1->aboutToShow();
        QVERIFY(frame->AddFiles1->isEnabled());
        QVERIFY(!frame->AddCurrentFile1->isEnabled());  // no document
        TMDIChild* doc = frame->docs()->NewFile();
        emit frame->Project1->aboutToShow();
        QVERIFY(frame->AddCurrentFile1->isEnabled());
        // An untitled document is saved first; cancelling adds nothing.
        frame->AddCurrentFile1->trigger();
        QCOMPARE(prompts->saveRequests.size(), std::size_t(1));
        QCOMPARE(proj()->ListBox1->count(), 0);
        prompts->saves.push_back({path(QStringLiteral("new.html")), 1});
        frame->AddCurrentFile1->trigger();
        QCOMPARE(doc->FileName(), path(QStringLiteral("new.html")));
        QCOMPARE(projectRows(), QStringList{path(QStringLiteral("new.html"))});
        frame->AddCurrentFile1->trigger();  // once only
        QCOMPARE(proj()->ListBox1->count(), 1);
        frame->ToggleFileList1->trigger();
        emit frame->Project1->aboutToShow();
        QVERIFY(!frame->AddFiles1->isEnabled());  // the Default page is shown
    }

    void anyMouseButtonSelectsAndTheRootStaysOpen() {
        start();
        frame->showPanePage(1);
        proj()->addToSelectedFolder(path(QStringLiteral("top.html")));
        proj()->addToSelectedFolder(path(QStringLiteral("site/page.html")));
        proj()->AddFolder1->trigger();
        QTreeWidgetItem* root = proj()->TreeView1->topLevelItem(0);
        QTreeWidgetItem* sub = root->child(0);
        proj()->TreeView1->setCurrentItem(root);
        QTest::mouseClick(proj()->TreeView1->viewport(), Qt::RightButton, {},
                          proj()->TreeView1->visualItemRect(sub).center());
        QCOMPARE(proj()->TreeView1->currentItem(), sub);
        QVERIFY(proj()->ListBox1->count() == 0);  // the sub-folder's files
        proj()->TreeView1->setCurrentItem(root);
        QTest::mouseClick(proj()->ListBox1->viewport(), Qt::RightButton, {},
                          proj()->ListBox1->visualItemRect(proj()->ListBox1->item(1)).center());
        QCOMPARE(proj()->selectedFile(), path(QStringLiteral("top.html")));
        proj()->TreeView1->collapseItem(root);
        QVERIFY(root->isExpanded());
    }

    void untitledModifiedProjectAsksForANameAtShutdown() {
        start();
        frame->NewProject1->trigger();
        proj()->addToSelectedFolder(path(QStringLiteral("top.html")));
        QVERIFY(!frame->close());  // the save dialog was cancelled: the frame stays
        QCOMPARE(prompts->saveRequests.size(), std::size_t(1));
        QVERIFY(prompts->questions.empty());
        prompts->saves.push_back({path(QStringLiteral("kept.vkp")), 1});
        QVERIFY(frame->close());
        frame.reset();
        // The next start opens it again, with the pane as it was left.
        restart();
        QCOMPARE(frame->ProjectFileName(), path(QStringLiteral("kept.vkp")));
        QCOMPARE(frame->project().Files(), std::vector<std::string>{path(QStringLiteral("top.html")).toStdString()});
        QCOMPARE(pane()->Notebook1->currentIndex(), 1);
        QVERIFY(frame->paneShown("FileList"));
    }

    void damagedProjectIsRefusedAndTheOpenOneKept() {
        start();
        frame->NewProject1->trigger();
        proj()->addToSelectedFolder(path(QStringLiteral("top.html")));
        writeFile(path(QStringLiteral("bad.vkp")), QByteArray("\1\5Tit", 5));
        prompts->opens.push_back(path(QStringLiteral("bad.vkp")));
        frame->OpenProject1->trigger();
        QCOMPARE(prompts->openRequests.back().title, QStringLiteral("Open Project"));
        QCOMPARE(prompts->questions.size(), std::size_t(1));
        QCOMPARE(prompts->questions.back().icon, Prompter::Icon::Error);
        QCOMPARE(frame->project().Files().size(), std::size_t(1));
        QCOMPARE(frame->ProjectFileName(), QStringLiteral("Untitled.vkp"));
    }

    void aProjectOfManyFoldersCostsInProportionToItsText() {
        // 255 folders of 40 folders each, reopened at start.
        {
            tv::TProject big;
            for (int i = 0; i < 255; ++i) {
                tv::TProject* folder = big.AddFolder();
                folder->Rename("Folder " + std::to_string(i));
                for (int j = 0; j < 40; ++j) folder->AddFolder()->Rename("Sub " + std::to_string(j));
            }
            big.SaveToFile(path(QStringLiteral("big.vkp")).toStdString());
        }
        start("FileList=1\nnbook=1\nProjFile=" + path(QStringLiteral("big.vkp")).toUtf8() + "\n");
        QTreeWidgetItem* root = proj()->TreeView1->topLevelItem(0);
        QVERIFY(root);
        QCOMPARE(root->childCount(), 255);
        QCOMPARE(root->child(254)->childCount(), 40);
        QCOMPARE(root->child(254)->child(39)->text(0), QStringLiteral("Sub 39"));
        // One icon is shared by every node, not a pixmap cache per folder.
        const qint64 shared = root->icon(0).cacheKey();
        QCOMPARE(root->child(7)->icon(0).cacheKey(), shared);
        QCOMPARE(root->child(254)->child(39)->icon(0).cacheKey(), shared);
        // A folder added later shares it too.
        proj()->TreeView1->setCurrentItem(root->child(3));
        proj()->AddFolder1->trigger();
        QCOMPARE(root->child(3)->childCount(), 41);
        QCOMPARE(root->child(3)->child(40)->icon(0).cacheKey(), shared);
    }

    void listButtonToggleAndSettings() {
        start("FileList=0\nnbook=0\nFilterIndex=3\nSizer2=180\nSizer1=90\nSizer3=70\nCurrentDir=" +
              path(QStringLiteral("site")).toUtf8() + "\n");
        QVERIFY(!frame->paneShown("FileList"));
        QCOMPARE(disk()->FilterBox->currentIndex(), 3);
        QCOMPARE(disk()->FileList->count(), 2);  // page.html, pic.png
        frame->vListBtn->trigger();
        QVERIFY(frame->paneShown("FileList"));
        QVERIFY(frame->FileList1->isChecked());
        QVERIFY(frame->paneDock("FileList")->isVisible());
        QCOMPARE(pane()->Notebook1->currentIndex(), 0);
        frame->vListBtn->trigger();
        QCOMPARE(pane()->Notebook1->currentIndex(), 1);
        frame->vListBtn->trigger();
        QVERIFY(!frame->paneShown("FileList"));
        QCOMPARE(pane()->Notebook1->currentIndex(), 0);
        QVERIFY(!frame->paneDock("FileList")->isVisible());
        frame->FileList1->trigger();
        QVERIFY(frame->paneShown("FileList"));
        // Shift+Tab switches the page, from the editor too.
        TMDIChild* doc = frame->OpenDocument(path(QStringLiteral("top.html")));
        QTest::keyClick(doc->view(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(pane()->Notebook1->currentIndex(), 1);
        QCOMPARE(text(doc), QByteArray("y"));
        // The folder list goes into a sub-folder.
        for (int i = 0; i < disk()->DirList->count(); ++i)
            if (disk()->DirList->item(i)->text().trimmed() == QStringLiteral("sub"))
                emit disk()->DirList->itemActivated(disk()->DirList->item(i));
        QCOMPARE(disk()->folder(), path(QStringLiteral("site/sub")));
        disk()->setFilterIndex(1);
        uitest::discardFrame(frame);
        const auto store = tv::openSettingsStore();
        const tv::Settings s = tv::ReadSettings(*store);
        QCOMPARE(s.fileList, true);
        QCOMPARE(s.nbook, 1);
        QCOMPARE(s.filterIndex, 1);
        QCOMPARE(s.sizer2, 180);
        QCOMPARE(s.sizer1, 90);
        QCOMPARE(s.sizer3, 70);
        QCOMPARE(QString::fromStdString(s.currentDir), path(QStringLiteral("site/sub")));
        // A filter beyond the list falls back to the first; a folder shows
        // the mount point it lies on as its drive.
        start("FilterIndex=99\n");
        QCOMPARE(disk()->FilterBox->currentIndex(), 0);
        for (int i = 1; i < disk()->DriveBox->count(); ++i) {
            const QString root = disk()->DriveBox->itemData(i).toString();
            if (!QFileInfo(root).isDir()) continue;
            disk()->setFolder(root);
            QCOMPARE(disk()->DriveBox->currentIndex(), i);
        }
    }

    void grabBarsKeepTheirPlace() {
        // A maximised start: the stored heights hold once the frame has grown.
        start("FileList=1\nnbook=0\nWindowState=Maximized\nTop=10\nLeft=10\nWidth=500\nHeight=373\n"
              "Sizer1=90\nSizer3=70\n");
        QTRY_VERIFY(frame->isMaximized());
        QTest::qWait(50);
        QCOMPARE(disk()->GrabBar1->sizes().value(0), 90);
        pane()->Notebook1->setCurrentIndex(1);
        QTRY_COMPARE(proj()->GrabBar2->sizes().value(0), 70);
        // Growing the frame gives the difference to the lists below.
        frame->showNormal();
        QTest::qWait(50);
        QCOMPARE(proj()->GrabBar2->sizes().value(0), 70);
        uitest::discardFrame(frame);
        // A small frame with a tall stored tree still shows the project's files.
        start("FileList=1\nnbook=1\nWindowState=Normal\nTop=10\nLeft=10\nWidth=500\nHeight=373\nSizer3=400\n");
        QTest::qWait(50);
        QVERIFY(proj()->GrabBar2->sizes().value(0) >= 20);
        QVERIFY2(proj()->ListBox1->height() >= 60, qPrintable(QString::number(proj()->ListBox1->height())));
        // Taller again, the tree gets back the height it was given.
        const int squeezed = proj()->GrabBar2->sizes().value(0);
        frame->resize(frame->width(), 800);
        QTRY_VERIFY(proj()->GrabBar2->sizes().value(0) > squeezed + 50);
        QCOMPARE(proj()->GrabBar2->sizes().value(0), proj()->GrabBar2->place());
    }

    void updateFilesAndProjectSearchScope() {
        start();
        writeFile(path(QStringLiteral("site/a.html")), "#FILENAME# table");
        writeFile(path(QStringLiteral("site/sub/b.html")), "no match");
        frame->NewProject1->trigger();
        proj()->addToSelectedFolder(path(QStringLiteral("site/a.html")));
        proj()->addToSelectedFolder(path(QStringLiteral("site/pic.png")));
        proj()->AddFolder1->trigger();
        proj()->addToSelectedFolder(path(QStringLiteral("site/sub/b.html")));
        proj()->addToSelectedFolder(path(QStringLiteral("site/a.html")));  // also in the parent
        proj()->TreeView1->setCurrentItem(proj()->TreeView1->topLevelItem(0));
        QVERIFY(!proj()->UpdateFiles1->statusTip().isEmpty());
        proj()->UpdateFiles1->trigger();
        QCOMPARE(readFile(path(QStringLiteral("site/a.html"))), QByteArray("a.html table"));
        // The run showed its progress, and the window tells what it did.
        auto* progress = frame->findChild<TProgressBox*>();
        QVERIFY(progress);
        QCOMPARE(progress->occ->text(), QStringLiteral("1 file updated."));
        QCOMPARE(progress->CancelBtn->text(), QStringLiteral("OK"));
        progress->CancelBtn->click();

        Tsearchbox* box = frame->searchBox();
        box->setMultiFile(true);
        box->showBox();
        QCOMPARE(box->project->count(), 2);
        QCOMPARE(box->project->itemData(1).toInt(), 1);  // the sub-folder, one level in
        box->proj->click();
        QVERIFY(box->FindBtn->isEnabled());
        box->subproj->setChecked(true);
        box->find->setPlainText(QStringLiteral("a"));
        box->FindBtn->click();
        auto* found = frame->findChild<TFoundBox*>();
        QVERIFY(found);
        QCOMPARE(found->List->count(), 2);  // a.html once, b.html; never the picture
        QCOMPARE(found->List->item(0)->text(), path(QStringLiteral("site/a.html")));
    }
};

QTEST_MAIN(PaneTest)
#include "pane_test.moc"
