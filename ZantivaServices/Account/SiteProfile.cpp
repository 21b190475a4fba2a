#include "Account/SiteProfile.h"

#include <QUrlQuery>

namespace zantiva {

SiteProfile SiteProfile::production(std::string_view domain) {
    return {std::string(domain), QUrl("https://" + QString::fromUtf8(domain.data(), domain.size()) + "/")};
}

QUrl SiteProfile::apiURL(std::string_view endpoint) const {
    return baseURL.resolved(QUrl("wp-json/zantiva/v1/" + QString::fromUtf8(endpoint.data(), endpoint.size())));
}

QUrl SiteProfile::signInURL(std::string_view state, std::string_view codeChallenge) const {
    QUrl url = baseURL.resolved(QUrl("my-account/"));
    QUrlQuery query;
    query.addQueryItem("authorize_app", "zantiva-desktop");
    query.addQueryItem("state", QString::fromUtf8(state.data(), state.size()));
    query.addQueryItem("code_challenge", QString::fromUtf8(codeChallenge.data(), codeChallenge.size()));
    query.addQueryItem("code_challenge_method", "S256");
    url.setQuery(query);
    return url;
}

QUrl SiteProfile::lostPasswordURL() const { return baseURL.resolved(QUrl("my-account/lost-password/")); }

SiteDirectory SiteDirectory::production() {
    return {SiteProfile::production("zantiva.ir"), SiteProfile::production("zantiva.com")};
}

const SiteProfile& SiteDirectory::forLanguage(AppLanguage language) const {
    return language == AppLanguage::english ? english : persian;
}

} // namespace zantiva
