#include "CLI/CheckUpdateMode.h"

#include <memory>
#include <optional>
#include <string>

#include <QCoro/QCoroTask>

#include "Account/APIError.h"
#include "App/AppFolder.h"
#include "CLI/ModeApplication.h"
#include "CLI/ResultLines.h"
#include "Model/AppSettingsStore.h"

namespace zantiva {
namespace {

QCoro::Task<> fetchLatest(const UpdateChecker& checker, SiteProfile site, const Loc& loc,
                          std::optional<AppUpdateInfo>& release, std::string& failure) {
    try {
        auto fetch = checker.latestRelease(site);
        release = co_await std::move(fetch);
    } catch (const APIError& error) {
        const auto message = error.userMessage(site);
        failure = message ? loc.resolve(*message) : error.what();
    } catch (const std::exception& error) {
        failure = error.what();
    }
}

} // namespace

int runCheckUpdate(CliContext& context, const SiteProfile& site, const UpdateChecker& checker) {
    std::optional<AppUpdateInfo> release;
    std::string failure;
    QCoro::waitFor(fetchLatest(checker, site, context.loc, release, failure));
    if (!release) return printFailure(context.out, failure);

    auto& out = context.out;
    printLine(out, "site", site.domain);
    printLine(out, "currentVersion", checker.currentVersion.description());
    printLine(out, "latestVersion", release->version.description());
    if (!(checker.currentVersion < release->version)) {
        printLine(out, "update", "none");
        return 0;
    }
    printLine(out, "update", "available");
    printLine(out, "downloadURL", release->downloadURL);
    if (release->released) printLine(out, "released", iso8601(*release->released));
    if (release->fileSizeBytes > 0) printLine(out, "fileSizeBytes", std::to_string(release->fileSizeBytes));
    return 0;
}

int runCheckUpdateMode(const CommandLine&, CliContext& context) {
    // The network needs Qt's event loop; the command line runs before any window exists.
    const auto application = makeModeApplication();
    const AppSettingsStore settings(openAppFolder());
    const SiteProfile site = SiteDirectory::production().forLanguage(settings.current().language);
    HttpTransport transport;
    return runCheckUpdate(context, site, UpdateChecker{transport, AppVersion::current()});
}

} // namespace zantiva
