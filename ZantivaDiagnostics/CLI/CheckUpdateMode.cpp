#include "CLI/CheckUpdateMode.h"

#include <memory>
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QCoro/QCoroTask>

#include "Account/APIError.h"
#include "CLI/ResultLines.h"
#include "Model/AppPaths.h"
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
    out << "site: " << site.domain << '\n';
    out << "currentVersion: " << checker.currentVersion.description() << '\n';
    out << "latestVersion: " << release->version.description() << '\n';
    if (!(checker.currentVersion < release->version)) {
        out << "update: none\n";
        return 0;
    }
    out << "update: available\n";
    out << "downloadURL: " << release->downloadURL << '\n';
    if (release->released) out << "released: " << iso8601(*release->released) << '\n';
    if (release->fileSizeBytes > 0) out << "fileSizeBytes: " << release->fileSizeBytes << '\n';
    return 0;
}

int runCheckUpdateMode(const CommandLine&, CliContext& context) {
    // The network needs Qt's event loop; the command line runs before any window exists.
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "zantiva-diagnostics";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const AppSettingsStore settings(AppPaths::applicationSupport());
    const SiteProfile site = SiteDirectory::production().forLanguage(settings.current().language);
    HttpTransport transport;
    return runCheckUpdate(context, site, UpdateChecker{transport, AppVersion::current()});
}

} // namespace zantiva
