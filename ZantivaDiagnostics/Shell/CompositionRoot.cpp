#include "Shell/CompositionRoot.h"

#include "Account/KeychainTokenStore.h"
#include "App/AppFolder.h"
#include "App/DesktopActivity.h"
#include "App/DesktopOpener.h"
#include "DriveHealth/ElevatedDriveHealth.h"
#include "External/ExternalBenchmarkLocator.h"
#include "External/LoopImageMounter.h"
#include "External/ProcessLauncher.h"
#include "ExternalRun/PageReaderProcess.h"

namespace zantiva {

std::unique_ptr<AppModel> buildAppModel(SiteDirectory sites) {
    const auto activity = DesktopActivity::deferred();
    AppModelSetup setup;
    setup.tokenStore = std::make_unique<KeychainTokenStore>(KeychainTokenStore::defaultService);
    setup.transport = std::make_unique<HttpTransport>(HttpTransport::defaultUserAgent());
    setup.currentVersion = AppVersion::current();
    AppFolder folder = openAppFolderWithNotice();
    setup.folder = std::move(folder.path);
    setup.folderNotice = std::move(folder.notice);
    setup.sites = std::move(sites);
    setup.loc = &Loc::shared();
    setup.suite.activity = activity;
    setup.storage.activity = activity;
    // The runners read the drives outside their timed measurements, so the question for
    // rights never stands inside one.
    setup.suite.drives.withAdministratorRights = readDriveWithAdministratorRights;
    setup.storage.drives.withAdministratorRights = readDriveWithAdministratorRights;
    setup.external.service = ExternalBenchmarkService{.launcher = std::make_shared<ProcessLauncher>()};
    setup.external.readerFactory = PageReaderProcess::factory(*setup.loc);
    setup.external.searchDirectories = ExternalBenchmarkLocator::defaultSearchDirectories();
    setup.external.images = std::make_shared<LoopImageMounter>();
    setup.external.activity = activity;
    setup.openURL = desktopOpener();
    return std::make_unique<AppModel>(std::move(setup));
}

std::unique_ptr<ScreenWasherController> buildScreenWasher(LocNotifier& loc) {
    return std::make_unique<ScreenWasherController>(DesktopActivity::deferred(), loc);
}

} // namespace zantiva
