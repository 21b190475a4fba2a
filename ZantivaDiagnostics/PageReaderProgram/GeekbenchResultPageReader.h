#pragma once

#include <chrono>
#include <memory>

#include <QObject>
#include <QUrl>

#include "External/GeekbenchOutput.h"
#include "PageReader/GeekbenchScoreReading.h"

class QWebEngineProfile;
class QWebEngineView;
class QWidget;

namespace zantiva {

class Loc;
class SiteRequestGuard;

// The scores in the page script's answer ("<path>\n<cells as JSON>") when it came from the
// page at `url`'s path; empty otherwise. The path and the cells come from one look at the
// document, so a page that has just moved on (to the site's check) isn't read as the one asked for.
GeekbenchOutput::ScoreTable scoresAnsweredAt(const QString& answer, const QUrl& url);

// Reads the scores off an uploaded result page in an off-screen web view. When the site
// shows a check for a person instead and the caller allows it, the page opens in a window
// of its own, and reading goes on until the scores appear or the person closes the window.
// Main thread only; one read at a time (a second one gives no result at once).
class GeekbenchResultPageReader : public QObject, public GeekbenchScoreReading {
    Q_OBJECT
public:
    // The result browser that the tool's uploads name: https and GeekbenchOutput's host.
    static QUrl productionSite();

    // Only pages of `site` (scheme, host and port) are loaded and read, and nothing else is
    // fetched on their behalf.
    explicit GeekbenchResultPageReader(const Loc& loc, QUrl site = productionSite(), GeekbenchPageTiming timing = {});
    ~GeekbenchResultPageReader() override;

    QCoro::Task<std::optional<ExternalBenchmarkResult>> read(QString address, bool isGPU, bool interactive,
                                                            std::function<void()> onNeedsUser,
                                                            std::stop_token stop) override;

    // The window that asks a person to pass the site's check, while it is shown.
    QWidget* window() const { return window_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using ScoreTable = GeekbenchOutput::ScoreTable;

    bool isOnSite(const QUrl& url) const;
    QWebEngineView* makeView();
    QCoro::Task<std::optional<ScoreTable>> poll(QWebEngineView* view, QUrl url, std::chrono::milliseconds limit,
                                                std::stop_token stop);
    void present(QWebEngineView* view);
    void closeWindow();

    const Loc& loc_;
    const QUrl site_;
    const GeekbenchPageTiming timing_;
    // Keeps the profile's requests on the site; goes after the profile that uses it.
    std::unique_ptr<SiteRequestGuard> guard_;
    // Declared before the views: pages must go before their profile.
    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<QWebEngineView> quietView_;
    std::unique_ptr<QWidget> window_;
    bool windowClosedByUser_ = false;
    bool isReading_ = false;
};

} // namespace zantiva
