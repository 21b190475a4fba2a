#include "Account/UpdateChecker.h"

#include "Account/APIError.h"
#include "Account/ApiCall.h"
#include "Platform/Log.h"

namespace zantiva {

QCoro::Task<AppUpdateInfo> UpdateChecker::latestRelease(SiteProfile site) const {
    QUrlQuery query;
    query.addQueryItem("app", "diagnostics-linux");
    auto call = callAPI(transport, site, {"GET", "app-update", {}, {}, query});
    const json::Json reply = co_await std::move(call);
    try {
        co_return AppUpdateInfo::fromJson(reply);
    } catch (const UnsafeDownloadLink& error) {
        throw APIError::untrusted(APIError::Untrusted::unsafeLink, error.what());
    } catch (const json::DecodeError& error) {
        throw APIError::untrusted(APIError::Untrusted::undecodable, error.what());
    }
}

QCoro::Task<std::optional<AppUpdateInfo>> UpdateChecker::check(SiteProfile site) const {
    try {
        auto fetch = latestRelease(site);
        AppUpdateInfo release = co_await std::move(fetch);
        if (currentVersion < release.version) co_return release;
    } catch (const std::exception& error) {
        log::info("api", "update check at " + site.domain + " failed: " + error.what());
    }
    co_return std::nullopt;
}

} // namespace zantiva
