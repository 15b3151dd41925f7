// TMDIChild: the window of one document inside the frame. It owns the editor
// RichEdit1, the document's Edit menu and context menu, keeps the frame's
// buttons and status bar in step with the editor, decides when typing starts
// a new undo step, carries out the edit commands and asks before a modified
// document closes.
#pragma once

#include "app/docfile.h"
#include "editor/tvokrich.h"

#include <QWidget>
#include <string>

class QAction;
class QMenu;
class TMainForm;

class TMDIChild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIChild(TMainForm* frame);

    TvokRich* RichEdit1 = nullptr;
    QString FileName;
    bool ColorPending = false;
    tv::LineEnds LineEnds = tv::platformLineEnds();

    // The document's Edit menu, shown in the frame's menu bar while the
    // window is active, and its context menu.
    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Undo2 = nullptr;
    QAction* Cut2 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* SelectAll2 = nullptr;

    void SetFileName(const QString& name);
    bool IsUntitled() const;
    void ApplyEditorSettings();
    void SetWordWrap(bool on);
    void SetEditRect();
    void GetTitle();
    QString caption() const { return windowTitle(); }

    // Change of the text and of the selection.
    void TextChange();
    void CheckSelected();

    // Edit commands. `fromMenu`: the main menu's items act on the control
    // with the keyboard focus; context items and buttons on the editor.
    void Undo1Click(bool fromMenu = false);
    void Redo1Click();
    void Cut1Click(bool fromMenu = false);
    void Copy1Click(bool fromMenu = false);
    void Paste1Click(bool fromMenu = false);
    void SelectAll1Click();

    // The close query: false keeps the window open.
    bool FormCloseQuery();
    // Set once the frame has asked this window at shutdown.
    bool closeApproved = false;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void RichEdit1KeyDown(int key, Qt::KeyboardModifiers mods);
    void RichEdit1KeyPress(unsigned char ch);
    void Edit1Popup();
    void PopupMenu1Popup();
    void FormPaint();
    QWidget* commandTarget(bool fromMenu) const;
    QAction* addItem(QMenu* menu, const char* caption, const QKeySequence& key, const char* hint);

    TMainForm* frame_;
    bool shown_ = false;
};

// Suspends painting of a document window while an edit moves the selection
// about; painting resumes when the lock goes out of scope.
class PaintLock {
public:
    explicit PaintLock(QWidget* w);
    ~PaintLock();
    PaintLock(const PaintLock&) = delete;
    PaintLock& operator=(const PaintLock&) = delete;

private:
    QWidget* w_;
    bool wasEnabled_;
};
