// A piece of work that runs once the event loop comes back, however often
// it is asked for before then: the document's and the editor's change
// events, gathered from a burst of edits into one round.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <utility>

class QueuedOnce {
public:
    // Runs `work` on `context`'s thread when the events waiting now are
    // done; nothing when `context` is gone by then.
    template <class Work>
    void request(QObject* context, Work work) {
        if (queued_) return;
        queued_ = true;
        QMetaObject::invokeMethod(context, [this, work = std::move(work)] {
            queued_ = false;
            work();
        }, Qt::QueuedConnection);
    }

private:
    bool queued_ = false;
};
