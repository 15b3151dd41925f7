#include "editor/editaccess.h"

#include "editor/tvokrich.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>

namespace {

class EditorAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit EditorAccessible(TvokRich* e) : QAccessibleWidget(e, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !ed()->isReadOnly();
        s.readOnly = ed()->isReadOnly();
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || ed()->SelLength() == 0) return;
        *start = ed()->characterOffset(ed()->SelStart());
        *end = ed()->characterOffset(ed()->SelStart() + ed()->SelLength());
    }
    int selectionCount() const override { return ed()->SelLength() > 0 ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { ed()->SetSel(ed()->SelStart() + ed()->SelLength(), 0); }
    void setSelection(int, int start, int end) override {
        const int s = ed()->positionOfOffset(start);
        ed()->SetSel(s, ed()->positionOfOffset(end) - s);
    }
    int cursorPosition() const override { return ed()->characterOffset(ed()->CaretPosition()); }
    void setCursorPosition(int offset) override { ed()->SetSel(ed()->positionOfOffset(offset), 0); }
    QString text(int start, int end) const override {
        const int s = ed()->positionOfOffset(start);
        const int e = ed()->positionOfOffset(end);
        if (e <= s) return {};
        return QString::fromUtf8(ed()->textView().substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s)));
    }
    int characterCount() const override { return ed()->CharacterCount(); }
    QRect characterRect(int offset) const override {
        const int pos = ed()->positionOfOffset(offset);
        const int next = static_cast<int>(ed()->SendScintilla(QsciScintillaBase::SCI_POSITIONAFTER, static_cast<unsigned long>(pos)));
        return ed()->screenRect(pos, next);
    }
    int offsetAtPoint(const QPoint& point) const override {
        const int pos = ed()->PositionAtPoint(ed()->viewport()->mapFromGlobal(point));
        return pos < 0 ? -1 : ed()->characterOffset(pos);
    }
    void scrollToSubstring(int start, int) override {
        ed()->SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, static_cast<unsigned long>(ed()->positionOfOffset(start)),
                            static_cast<long>(ed()->positionOfOffset(start)));
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    TvokRich* ed() const { return static_cast<TvokRich*>(widget()); }
};

QAccessibleInterface* editorFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TvokRich") && object && object->isWidgetType())
        return new EditorAccessible(static_cast<TvokRich*>(object));
    return nullptr;
}

} // namespace

void installEditorAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    (void)installed;
}

void reportEditorCaret(TvokRich* editor) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextCursorEvent ev(editor, editor->characterOffset(editor->CaretPosition()));
    QAccessible::updateAccessibility(&ev);
}
