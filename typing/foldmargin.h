// TFoldMargin: the fold margin of a view. It keeps the document's fold
// levels up to date around each change (typing/folding gives each line's
// level from the state its previous line left, kept as the line's state):
// from the changed line on until a line begins in the state it began in
// before, at once as far as the screen shows and in the background beyond.
#pragma once

#include <QObject>
#include <QTimer>

class TvokRich;

class TFoldMargin : public QObject {
    Q_OBJECT
public:
    // The view's margin that shows the folds.
    static constexpr int kMargin = 2;

    explicit TFoldMargin(TvokRich* view);
    void setOn(bool on);
    bool isOn() const { return on_; }
    // Folds (or unfolds) every block.
    void foldAll(bool fold);
    // Brings every line's level up to date now.
    void finish();

private:
    void touched(int front, int back);
    void refold(int budget);

    TvokRich* view_;
    bool on_ = false;
    int dirtyFrom_ = -1;  // first line to walk again
    int dirtyTo_ = -1;    // last line whose text changed
    int pending_ = -1;    // a walk stopped here: lines from here are not yet in step
    int lines_ = 0;       // the line count the levels were last brought up to date for
    QTimer background_;
};
