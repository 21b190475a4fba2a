#include "PageReaderProgram/GeekbenchResultPageReader.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QCoro/QCoroTimer>

#include "Localization/Loc.h"
#include "PageReader/WebEngineSandbox.h"
#include "PageReaderProgram/SiteBoundary.h"
#include "Platform/CancelToken.h"
#include "Platform/Log.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {
namespace {

constexpr std::string_view logCategory = "external";

// The document's path, then each score cell with the label that follows it, as JSON text.
const QString pageScript = QStringLiteral(
    "location.pathname + '\\n' + JSON.stringify(Array.from(document.querySelectorAll('div.score')).map(function (s) {\n"
    "    var note = s.nextElementSibling;\n"
    "    return [s.textContent.trim(), note && note.classList.contains('note') ? note.textContent.trim() : ''];\n"
    "}))");

// Waits until the timer runs out. A stop request runs it out at once, and then throws.
QCoro::Task<> runOut(QTimer& timer, std::stop_token stop) {
    // The request may come from another thread: the timer is restarted on its own thread.
    std::stop_callback onStop(stop, [&timer] {
        QMetaObject::invokeMethod(&timer, [&timer] { timer.start(0); }, Qt::QueuedConnection);
    });
    if (timer.isActive()) co_await timer;
    if (stop.stop_requested()) throw CancellationError();
}

QCoro::Task<> sleep(std::chrono::milliseconds length, std::stop_token stop) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(length);
    auto waited = runOut(timer, stop);
    co_await waited;
}

// The page script's answer ("" when it gave no text), or nothing when none came within
// `limit`: a page whose own scripts never yield never answers.
QCoro::Task<std::optional<QString>> evaluate(QWebEnginePage& page, std::chrono::milliseconds limit,
                                             std::stop_token stop) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(limit);
    auto answer = std::make_shared<std::optional<QString>>();
    // The page's own scripts can't reach the isolated world, so a page that replaces
    // JSON.stringify or Array.from doesn't change what is read.
    page.runJavaScript(pageScript, QWebEngineScript::ApplicationWorld,
                       [answer, wake = QPointer<QTimer>(&timer)](const QVariant& value) {
                           *answer = value.typeId() == QMetaType::QString ? value.toString() : QString();
                           if (wake) wake->start(0);
                       });
    auto waited = runOut(timer, stop);
    co_await waited;
    co_return *answer;
}

} // namespace

GeekbenchOutput::ScoreTable scoresAnsweredAt(const QString& answer, const QUrl& url) {
    const qsizetype end = answer.indexOf(u'\n');
    if (end < 0 || QUrl::fromPercentEncoding(answer.first(end).toUtf8()) != url.path()) return {};
    return GeekbenchOutput::pageScores(answer.sliced(end + 1).toStdString());
}

QUrl GeekbenchResultPageReader::productionSite() {
    return QUrl(QStringLiteral("https://") + QString::fromLatin1(GeekbenchOutput::resultBrowserHost));
}

GeekbenchResultPageReader::GeekbenchResultPageReader(const Loc& loc, QUrl site, GeekbenchPageTiming timing)
    : loc_(loc), site_(std::move(site)), timing_(timing), guard_(std::make_unique<SiteRequestGuard>(site_)) {}

GeekbenchResultPageReader::~GeekbenchResultPageReader() = default;

bool GeekbenchResultPageReader::isOnSite(const QUrl& url) const { return zantiva::isOnSite(site_, url); }

QCoro::Task<std::optional<ExternalBenchmarkResult>>
GeekbenchResultPageReader::read(QString address, bool isGPU, bool interactive, std::function<void()> onNeedsUser,
                                std::stop_token stop) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || !isOnSite(url) || isReading_) co_return std::nullopt;
    if (webEngineRefusedAsRoot()) {
        log::error(logCategory, "not reading " + address.toStdString() +
                                    ": the web engine can't run as root unless QTWEBENGINE_DISABLE_SANDBOX is set");
        co_return std::nullopt;
    }
    isReading_ = true;
    // The reader may go while a read waits (the program quits): the read then ends unread.
    const QPointer<GeekbenchResultPageReader> alive(this);

    std::optional<ScoreTable> table;
    try {
        if (!quietView_) {
            quietView_.reset(makeView());
            quietView_->resize(1024, 768);
        }
        auto quiet = poll(quietView_.get(), url, timing_.quiet, stop);
        table = co_await quiet;
    } catch (...) {
        if (alive) {
            quietView_.reset();
            isReading_ = false;
        }
        throw;
    }
    if (!alive) co_return std::nullopt;
    if (table)
        if (auto result = GeekbenchOutput::result(*table, isGPU)) {
            isReading_ = false;
            co_return result;
        }
    // A view that gave nothing may be stuck (its renderer kept busy by the page's scripts
    // leaves every later look unanswered): the next read starts with a new one.
    quietView_.reset();
    if (!interactive) {
        isReading_ = false;
        co_return std::nullopt;
    }

    onNeedsUser();
    auto* view = makeView();
    present(view);
    try {
        auto windowed = poll(view, url, timing_.windowed, stop);
        table = co_await windowed;
    } catch (...) {
        if (alive) {
            closeWindow();
            isReading_ = false;
        }
        throw;
    }
    if (!alive) co_return std::nullopt;
    closeWindow();
    isReading_ = false;
    co_return table ? GeekbenchOutput::result(*table, isGPU) : std::nullopt;
}

QCoro::Task<std::optional<GeekbenchOutput::ScoreTable>>
GeekbenchResultPageReader::poll(QWebEngineView* view, QUrl url, std::chrono::milliseconds limit, std::stop_token stop) {
    const QPointer<GeekbenchResultPageReader> alive(this);
    // Only the windowed reading can be ended by the person; the quiet view has no window.
    const bool closable = view != quietView_.get();
    view->load(url);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline && !(closable && windowClosedByUser_)) {
        auto pause = sleep(timing_.round, stop);
        co_await pause;
        if (!alive) co_return std::nullopt;
        // Rounds are skipped while the view shows anything but the page asked for (the
        // site's check at another address, or a page off the site); the answer says again
        // where it was read, since the page may move on before the script runs.
        const QUrl shown = view->url();
        if (!isOnSite(shown) || shown.path() != url.path()) continue;
        auto evaluation = evaluate(*view->page(), timing_.round, stop);
        const std::optional<QString> answer = co_await evaluation;
        if (!alive) co_return std::nullopt;
        if (!answer) continue;
        auto table = scoresAnsweredAt(*answer, url);
        if (!table.empty()) co_return table;
    }
    co_return std::nullopt;
}

QWebEngineView* GeekbenchResultPageReader::makeView() {
    if (!profile_) {
        // A profile of the reader's own, kept in memory only: no cache, nothing on disk, and
        // nothing shared with any other web view of the program.
        profile_ = std::make_unique<QWebEngineProfile>();
        profile_->setHttpCacheType(QWebEngineProfile::NoCache);
        profile_->setUrlRequestInterceptor(guard_.get());
    }
    auto* view = new QWebEngineView;
    view->setPage(new SiteBoundPage(site_, profile_.get(), view));
    return view;
}

void GeekbenchResultPageReader::present(QWebEngineView* view) {
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(qs(loc_.t("ExtRun.GeekbenchVerify.Title")));
    window->setLayoutDirection(loc_.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    auto* banner =
        new ProseLabel(TextRole::body, color(PaletteColor::text), qs(loc_.t("ExtRun.GeekbenchVerify.Banner")));
    banner->setWordWrap(true);
    banner->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    banner->setContentsMargins(16, 0, 16, 0);
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 12, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(banner);
    layout->addWidget(view, 1);
    window->resize(1000, 760);
    if (const QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());

    windowClosedByUser_ = false;
    window->installEventFilter(this);
    window->show();
    window->raise();
    window->activateWindow();
    window_ = std::move(window);
}

void GeekbenchResultPageReader::closeWindow() {
    if (!window_) return;
    // The reader's own close is not the person's.
    window_->removeEventFilter(this);
    window_->close();
    window_.reset();
}

bool GeekbenchResultPageReader::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && event->type() == QEvent::Close) windowClosedByUser_ = true;
    return QObject::eventFilter(watched, event);
}

} // namespace zantiva
