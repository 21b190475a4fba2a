#pragma once

#include <optional>

#include <QCoro/QCoroTask>

#include "Account/AppUpdateInfo.h"
#include "Account/AppVersion.h"
#include "Account/HttpTransport.h"
#include "Account/SiteProfile.h"

namespace zantiva {

// Asks a site for the latest release of the program ("app-update", app=diagnostics-linux).
struct UpdateChecker {
    HttpTransport& transport;
    AppVersion currentVersion;

    // The site's latest release, whatever its version; APIError on any failure (an offer
    // whose download address is not https counts as an untrusted reply).
    QCoro::Task<AppUpdateInfo> latestRelease(SiteProfile site) const;
    // A release newer than the running version; nothing otherwise, and on any failure
    // (which is logged).
    QCoro::Task<std::optional<AppUpdateInfo>> check(SiteProfile site) const;
};

} // namespace zantiva
