// TFileDrag: files dropped on its owner window from the desktop. After each
// drop it holds the names, split into folder and name and extension, and
// raises OnDrop once.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

class TFileDrag : public QObject {
    Q_OBJECT
public:
    explicit TFileDrag(QWidget* owner);

    // Registers or unregisters the owner as a drop target.
    void setEnableDrop(bool on);
    bool EnableDrop() const { return enabled_; }

    int FileCount = 0;
    QStringList NameWithPath;  // full names
    QStringList NameOnly;      // the text after the last separator
    QStringList Extension;     // the text after the last dot
    std::function<void()> OnDrop;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* owner_;
    bool enabled_ = false;
};
