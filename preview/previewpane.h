// TPreviewPane: the active document rendered beside its source, following
// the typing after a pause, with the element under the caret outlined. The
// page is the editor's text, saved or not, handed over as a file of its own
// in a private folder (no size limit), with a base address that resolves
// relative addresses against the document's folder.
//
// The page cannot reach the program: the pane's own script runs in a world
// of its own that page scripts cannot see, and tells the program of a click
// only with a secret the page does not know. Links are not followed in the
// pane: a local page opens as a document, anything else in the desktop's
// browser. Scripts may not read local files, and nothing loads from the
// program's own folders (settings, recovery journal).
#pragma once

#include "preview/previewpage.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

class QTemporaryDir;
class QTimer;
class QWebEngineView;
class QWebEnginePage;
class QWebEngineProfile;
class TDocument;
class TvokRich;
class TPreviewGuard;
class TPreviewWebPage;

class TPreviewPane : public QWidget {
    Q_OBJECT
public:
    // When the page follows the text.
    enum class Refresh { AsYouType = 0, OnSave = 1, OnRequest = 2 };

    explicit TPreviewPane(QWidget* parent = nullptr);
    ~TPreviewPane() override;

    // The view whose document the pane shows (null: none), and the folder an
    // untitled document's addresses resolve against.
    void setView(TvokRich* view, const QString& untitledFolder);
    TvokRich* view() const { return view_; }
    void setRefresh(Refresh mode, int pauseMs);
    Refresh refreshMode() const { return mode_; }
    // Shows the text as it is now (F5 in the pane).
    void refresh();
    // A document was saved: the page follows when it refreshes on saving.
    void documentSaved(const TDocument* document);
    // Folders nothing in the page may load from.
    void setGuardedFolders(const QStringList& folders);

    // A local page clicked in the pane, and any other address clicked.
    std::function<void(const QString&)> openPage;
    std::function<void(const QUrl&)> openOutside;

    // The engine's page (null until the pane is first shown).
    QWebEnginePage* page() const;
    // The number of the element outlined, -1 for none.
    int outlined() const { return outlined_; }
    // Whether the page shows the text as it is (no refresh waiting or loading).
    bool current() const { return !stale_ && !loading_; }

signals:
    // The page of a refresh has loaded, its scroll place restored.
    void pageShown();

protected:
    void showEvent(QShowEvent* e) override;

private:
    friend class TPreviewWebPage;
    friend class TLinkCatcher;
    bool startEngine();
    void textChanged();
    void caretMoved();
    void render();
    void loaded(bool ok);
    void outline(bool reveal);
    void elementClicked(int number);
    // A link clicked in the page: false to stay.
    bool linkClicked(const QUrl& url);
    QUrl documentUrl() const;

    QWebEngineProfile* profile_ = nullptr;
    TPreviewGuard* guard_ = nullptr;
    TPreviewWebPage* page_ = nullptr;
    QWebEngineView* web_ = nullptr;
    std::unique_ptr<QTemporaryDir> folder_;
    QTimer* pause_ = nullptr;
    QPointer<TvokRich> view_;
    QString untitledFolder_;
    Refresh mode_ = Refresh::AsYouType;
    QString token_;
    tv::PreviewPage shown_;  // the page last handed to the engine
    QUrl pageUrl_;
    int pageNumber_ = 0;
    int outlined_ = -1;
    bool stale_ = true;
    bool loading_ = false;
    QList<QMetaObject::Connection> viewConnections_;
};
