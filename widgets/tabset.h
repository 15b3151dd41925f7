// TTabSet: the row of tabs under the documents, one per document window in
// order of creation. A tab's text is the document's full file name; it shows
// the name without its folder, after a small blue square while the document
// is modified.
#pragma once

#include <QTabBar>
#include <functional>

class TTabSet : public QTabBar {
    Q_OBJECT
public:
    explicit TTabSet(QWidget* parent = nullptr);

    // Tells whether the document of a tab is modified.
    std::function<bool(int index)> isModified;

    static constexpr int kHeight = 21;

    // Lays the tabs out and paints them again (a modified mark changes the
    // width of its tab).
    void refresh();

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* e) override;
};
