#include "preview/previewpane.h"

#include "base/doctext.h"
#include "editor/document.h"
#include "editor/tvokrich.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QMutex>
#include <QRandomGenerator>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Chromium refuses to start its sandbox as root; the pane then runs
// without it, and says so once.
void prepareEngine() {
    static bool done = false;
    if (done) return;
    done = true;
    // The engine's start-up report is for its own developers.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    if (geteuid() != 0) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--no-sandbox")) return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
    std::fputs("taviron: running as root: the preview pane runs without Chromium's sandbox\n", stderr);
}

bool within(const QString& path, const QString& folder) {
    return !folder.isEmpty() && (path == folder || path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')));
}

QString realPath(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(path) : real;
}

// The pane's own script, in a world page scripts cannot see: outlines an
// element, reports a click with the secret, and puts the scroll place back.
QString paneScript(const QString& token, QPointF scroll) {
    return QStringLiteral(R"((function() {
  var attr = '%1', box = null, current = -1;
  function element(n) { return document.querySelector('[' + attr + '="' + n + '"]'); }
  function place() {
    if (!box) return;
    var el = current >= 0 ? element(current) : null;
    var r = el ? el.getBoundingClientRect() : null;
    if (!r || (r.width == 0 && r.height == 0)) { box.style.display = 'none'; return; }
    box.style.display = 'block';
    box.style.left = (r.left + scrollX - 2) + 'px';
    box.style.top = (r.top + scrollY - 2) + 'px';
    box.style.width = (r.width + 4) + 'px';
    box.style.height = (r.height + 4) + 'px';
  }
  window.tavironOutline = function(n, reveal) {
    current = n;
    if (!box) {
      box = document.createElement('div');
      box.setAttribute('style', 'all:initial;position:absolute;pointer-events:none;z-index:2147483647;' +
                       'border:2px solid #3584e4;border-radius:3px;box-sizing:border-box;display:none');
      document.documentElement.appendChild(box);
    }
    place();
    var el = n >= 0 ? element(n) : null;
    if (reveal && el) el.scrollIntoView({block: 'nearest', inline: 'nearest'});
    return current;
  };
  window.tavironOutlined = function() { return current; };
  addEventListener('resize', place);
  document.addEventListener('click', function(e) {
    var el = e.target && e.target.closest ? e.target.closest('[' + attr + ']') : null;
    if (el) console.log('%2' + el.getAttribute(attr));
  }, true);
  var x = %3, y = %4;
  scrollTo(x, y);
  addEventListener('load', function() { scrollTo(x, y); place(); });
})();)")
        .arg(QString::fromLatin1(tv::kPreviewAttribute.data(), static_cast<int>(tv::kPreviewAttribute.size())), token)
        .arg(scroll.x())
        .arg(scroll.y());
}

} // namespace

// What the page may load from local files: its own page from the pane's
// folder, frames from the document's folder, style sheets, scripts,
// pictures, fonts and media from anywhere a browser would take them, and
// nothing from the program's own folders. Scripts never read local files.
class TPreviewGuard : public QWebEngineUrlRequestInterceptor {
public:
    explicit TPreviewGuard(const QString& pageFolder) : pageFolder_(realPath(pageFolder)) {}
    void setGuarded(const QStringList& guarded) {
        QMutexLocker lock(&mutex_);
        guarded_.clear();
        for (const QString& g : guarded) guarded_ << realPath(g);
    }
    void setSite(const QString& site) {
        QMutexLocker lock(&mutex_);
        site_ = realPath(site);
    }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        if (!url.isLocalFile()) return;  // remote: as a browser loads it for a local page
        const QString path = realPath(url.toLocalFile());
        QMutexLocker lock(&mutex_);
        using R = QWebEngineUrlRequestInfo;
        const R::ResourceType type = info.resourceType();
        if (type == R::ResourceTypeMainFrame) {
            info.block(!within(path, pageFolder_));
            return;
        }
        bool allowed = false;
        switch (type) {
        case R::ResourceTypeStylesheet:
        case R::ResourceTypeScript:
        case R::ResourceTypeImage:
        case R::ResourceTypeFontResource:
        case R::ResourceTypeObject:
        case R::ResourceTypeMedia:
        case R::ResourceTypeFavicon: allowed = true; break;
        case R::ResourceTypeSubFrame: allowed = within(path, site_); break;
        default: break;  // fetches, workers, pings: scripts do not read files
        }
        if (within(path, pageFolder_)) allowed = false;
        for (const QString& g : guarded_)
            if (within(path, g)) allowed = false;
        info.block(!allowed);
    }

private:
    QMutex mutex_;
    const QString pageFolder_;  // the pane's own folder, set once
    QString site_;
    QStringList guarded_;
};

// A page opened by a link with a target: its first address goes where a
// clicked link goes, and the page is gone.
class TLinkCatcher : public QWebEnginePage {
public:
    TLinkCatcher(QWebEngineProfile* profile, TPreviewPane* pane) : QWebEnginePage(profile, pane), pane_(pane) {}
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (!done_ && pane_) pane_->linkClicked(url);
        done_ = true;
        deleteLater();
        return false;
    }

private:
    QPointer<TPreviewPane> pane_;
    bool done_ = false;
};

class TPreviewWebPage : public QWebEnginePage {
public:
    TPreviewWebPage(QWebEngineProfile* profile, TPreviewPane* pane) : QWebEnginePage(profile, pane), pane_(pane) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (!isMainFrame) return true;  // frames: the guard decides
        if (url.adjusted(QUrl::RemoveFragment) == pane_->pageUrl_) return true;
        if (type == NavigationTypeLinkClicked) pane_->linkClicked(url);
        return false;  // scripts and forms do not take the pane elsewhere
    }
    QWebEnginePage* createWindow(WebWindowType) override { return new TLinkCatcher(profile(), pane_); }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&) override {
        if (!message.startsWith(pane_->token_)) return;
        bool ok = false;
        const int n = message.mid(pane_->token_.size()).toInt(&ok);
        if (ok) pane_->elementClicked(n);
    }

private:
    TPreviewPane* pane_;
};

TPreviewPane::TPreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PreviewPane"));
    folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/taviron-preview-XXXXXX"));
    token_ = QStringLiteral("taviron:%1:").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
    guard_ = new TPreviewGuard(folder_->path());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    pause_->setInterval(300);
    connect(pause_, &QTimer::timeout, this, &TPreviewPane::render);
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this, this, &TPreviewPane::refresh, Qt::WidgetWithChildrenShortcut);
    f5->setObjectName(QStringLiteral("PreviewRefresh"));
}

bool TPreviewPane::startEngine() {
    if (page_) return true;
    // Chromium ends the whole process when it cannot make shared memory in
    // /dev/shm (a system set up wrongly); the pane says so instead.
    if (::access("/dev/shm", W_OK | X_OK) != 0) {
        const int error = errno;
        if (!findChild<QLabel*>(QStringLiteral("PreviewUnavailable"))) {
            auto* why = new QLabel(QStringLiteral("The preview cannot start: the page engine needs to write to /dev/shm, "
                                                  "and this system does not let it (%1).")
                                       .arg(QString::fromLocal8Bit(std::strerror(error))),
                                   this);
            why->setObjectName(QStringLiteral("PreviewUnavailable"));
            why->setWordWrap(true);
            why->setAlignment(Qt::AlignTop | Qt::AlignLeft);
            why->setMargin(8);
            layout()->addWidget(why);
        }
        return false;
    }
    // The engine starts when the pane is first shown: a frame without the
    // pane never pays for it.
    prepareEngine();
    profile_ = new QWebEngineProfile(this);  // off the record: nothing kept on disk
    profile_->setUrlRequestInterceptor(guard_);
    page_ = new TPreviewWebPage(profile_, this);
    QWebEngineSettings* s = page_->settings();
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    web_ = new QWebEngineView(this);
    web_->setObjectName(QStringLiteral("PreviewView"));
    web_->setPage(page_);
    web_->setContextMenuPolicy(Qt::NoContextMenu);
    layout()->addWidget(web_);
    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        // Only the last page handed over counts; one it replaced stops.
        if (info.url().adjusted(QUrl::RemoveFragment) != pageUrl_) return;
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
            info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            loaded(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
    return true;
}

TPreviewPane::~TPreviewPane() {
    for (const auto& c : viewConnections_) disconnect(c);
    // The page before its profile, the profile before the guard it uses.
    delete web_;
    delete page_;
    delete profile_;
    delete guard_;
}

QWebEnginePage* TPreviewPane::page() const { return page_; }

void TPreviewPane::setGuardedFolders(const QStringList& folders) {
    guard_->setGuarded(folders);
}

QUrl TPreviewPane::documentUrl() const {
    if (view_ && !view_->document().file.isUntitled()) return QUrl::fromLocalFile(fromStd(view_->document().file.fileName));
    const QString folder = untitledFolder_.isEmpty() ? QDir::homePath() : untitledFolder_;
    return QUrl::fromLocalFile(QDir::cleanPath(folder) + QLatin1Char('/'));
}

void TPreviewPane::setView(TvokRich* view, const QString& untitledFolder) {
    untitledFolder_ = untitledFolder;
    if (view == view_) return;
    for (const auto& c : viewConnections_) disconnect(c);
    viewConnections_.clear();
    view_ = view;
    outlined_ = -1;
    stale_ = true;
    if (view) {
        viewConnections_ << connect(&view->document(), &TDocument::changed, this, &TPreviewPane::textChanged);
        viewConnections_ << connect(&view->document(), &TDocument::renamed, this, [this] { stale_ = true; render(); });
        viewConnections_ << connect(view, &TvokRich::OnSelectionChange, this, &TPreviewPane::caretMoved);
    }
    pause_->stop();
    render();
}

void TPreviewPane::setRefresh(Refresh mode, int pauseMs) {
    mode_ = mode;
    pause_->setInterval(std::clamp(pauseMs, 50, 5000));
}

void TPreviewPane::refresh() {
    stale_ = true;
    render();
}

void TPreviewPane::documentSaved(const TDocument* document) {
    if (mode_ == Refresh::OnSave && view_ && &view_->document() == document) refresh();
}

void TPreviewPane::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Shown again: what it shows may be old.
    if (stale_) QTimer::singleShot(0, this, [this] { if (stale_ && isVisible()) render(); });
}

void TPreviewPane::textChanged() {
    stale_ = true;
    if (mode_ == Refresh::AsYouType && isVisible()) pause_->start();
}

void TPreviewPane::caretMoved() {
    if (!loading_) outline(true);
}

void TPreviewPane::render() {
    pause_->stop();
    if (!isVisible() || !startEngine()) return;
    if (!view_) {
        shown_ = {};
        pageUrl_ = QUrl::fromLocalFile(folder_->filePath(QStringLiteral("empty.html")));
        QFile(pageUrl_.toLocalFile()).open(QIODevice::WriteOnly);
        stale_ = false;
        loading_ = true;
        page_->load(pageUrl_);
        return;
    }
    const std::string text = view_->Text();
    const QUrl doc = documentUrl();
    const std::string ownBase = tv::pageBaseHref(text);
    const QUrl base = ownBase.empty() ? doc : doc.resolved(QUrl(fromStd(ownBase)));
    shown_ = tv::makePreviewPage(text, base.toString(QUrl::FullyEncoded).toStdString());
    guard_->setSite(QFileInfo(doc.toLocalFile()).absolutePath());
    // Two files in turn: a load in flight reads the one not being written.
    const QString name = folder_->filePath(QStringLiteral("page-%1.html").arg(pageNumber_++ % 2));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(shown_.bytes.data(), static_cast<qint64>(shown_.bytes.size())) != static_cast<qint64>(shown_.bytes.size())) {
        page_->setHtml(QStringLiteral("<p>The preview could not be written to %1: %2</p>")
                           .arg(name.toHtmlEscaped(), file.errorString().toHtmlEscaped()));
        return;
    }
    file.close();
    // The place the reader had, unless a load is still on its way.
    const QPointF scroll = loading_ ? QPointF() : page_->scrollPosition();
    page_->scripts().clear();
    QWebEngineScript script;
    script.setName(QStringLiteral("taviron"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(paneScript(token_, scroll));
    page_->scripts().insert(script);
    // Each load its own address, so that the end of one it replaced is not
    // taken for its own.
    pageUrl_ = QUrl::fromLocalFile(name);
    pageUrl_.setQuery(QStringLiteral("v=%1").arg(pageNumber_));
    stale_ = false;
    loading_ = true;
    page_->load(pageUrl_);
}

void TPreviewPane::loaded(bool) {
    loading_ = false;
    outlined_ = -2;  // a new page: outline again
    outline(false);
    emit pageShown();
}

void TPreviewPane::outline(bool reveal) {
    if (!page_ || !view_ || shown_.elements.empty()) return;
    const int n = tv::previewElementAt(shown_, static_cast<std::size_t>(std::max(0, view_->CaretPosition())));
    if (n == outlined_) return;
    outlined_ = n;
    page_->runJavaScript(QStringLiteral("window.tavironOutline && tavironOutline(%1, %2)").arg(n).arg(reveal ? "true" : "false"),
                         QWebEngineScript::ApplicationWorld);
}

void TPreviewPane::elementClicked(int number) {
    if (!view_ || number < 0 || number >= static_cast<int>(shown_.elements.size())) return;
    const int at = static_cast<int>(std::min<std::size_t>(shown_.elements[static_cast<std::size_t>(number)].start,
                                                          static_cast<std::size_t>(view_->Length())));
    view_->SetSelStart(at);
    view_->setFocus();
    outline(false);
}

bool TPreviewPane::linkClicked(const QUrl& url) {
    const QUrl doc = documentUrl();
    if (url.hasFragment() && url.adjusted(QUrl::RemoveFragment) == doc) {
        // Within the page: go to the place named.
        const QString name = url.fragment(QUrl::FullyDecoded);
        QString quoted = name;
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
        page_->runJavaScript(QStringLiteral("(function(n){var e=document.getElementById(n)||document.getElementsByName(n)[0];"
                                            "if(e)e.scrollIntoView();})('%1')")
                                 .arg(quoted),
                             QWebEngineScript::ApplicationWorld);
        return false;
    }
    if (url.isLocalFile()) {
        if (openPage) openPage(url.toLocalFile());
    } else if (openOutside) {
        openOutside(url);
    }
    return false;
}
