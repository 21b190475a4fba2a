#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

namespace zantiva {

// Whether the address belongs to the site: same scheme, host and port (a port left out is
// the scheme's own).
bool isOnSite(const QUrl& site, const QUrl& url);

// Refuses every request of a web profile that leaves the site: a redirect, an image, a
// script, a fetch. A page of the site must not make the program fetch from anywhere else.
class SiteRequestGuard final : public QWebEngineUrlRequestInterceptor {
public:
    explicit SiteRequestGuard(QUrl site) : site_(std::move(site)) {}
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    const QUrl site_;
};

// A page that goes nowhere off the site, whoever asks (a link, a script, a redirect).
class SiteBoundPage final : public QWebEnginePage {
public:
    SiteBoundPage(QUrl site, QWebEngineProfile* profile, QObject* parent)
        : QWebEnginePage(profile, parent), site_(std::move(site)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    const QUrl site_;
};

} // namespace zantiva
