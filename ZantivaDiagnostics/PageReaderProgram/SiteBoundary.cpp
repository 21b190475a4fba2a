#include "PageReaderProgram/SiteBoundary.h"

#include <QWebEngineUrlRequestInfo>

#include "Platform/Log.h"

namespace zantiva {
namespace {

int portOf(const QUrl& url) { return url.port(url.scheme() == QLatin1String("https") ? 443 : 80); }

void logRefusal(const char* what, const QUrl& url) {
    log::info("external", std::string("refused ") + what + " off the result site: " +
                              url.toString(QUrl::FullyEncoded).toStdString());
}

} // namespace

bool isOnSite(const QUrl& site, const QUrl& url) {
    return url.scheme() == site.scheme() && url.host() == site.host() && portOf(url) == portOf(site);
}

void SiteRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (isOnSite(site_, info.requestUrl())) return;
    info.block(true);
    logRefusal("a request", info.requestUrl());
}

bool SiteBoundPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    if (isOnSite(site_, url)) return true;
    logRefusal("a navigation", url);
    return false;
}

} // namespace zantiva
