#include "ExternalRun/ExternalInstallations.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include <QCoro/QCoroFuture>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include "External/ExternalBenchmarkLocator.h"
#include "ExternalRun/ExternalProblemMessages.h"
#include "Observation/ObservedValue.h"
#include "Platform/CancelToken.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using App = ExternalBenchmarkApp;

constexpr std::string_view category = "external";

// Two spellings of one image share one mount.
std::string imageKey(const fs::path& image) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(image, ec);
    return (ec ? image : absolute).lexically_normal().string();
}

std::set<App> withOrWithout(std::set<App> apps, App app, bool with) {
    if (with)
        apps.insert(app);
    else
        apps.erase(app);
    return apps;
}

} // namespace

ExternalInstallations::ExternalInstallations(std::shared_ptr<ExternalBenchmarkStore> store,
                                             std::vector<fs::path> searchDirectories,
                                             std::shared_ptr<DiskImageMounting> images, QObject* parent)
    : QObject(parent), store_(std::move(store)), searchDirectories_(std::move(searchDirectories)),
      images_(std::move(images)) {
    for (const App app : allCases<App>())
        if (const auto installation = store_->settings(app).installation) installations_[app] = *installation;
}

ExternalInstallations::~ExternalInstallations() { detachDiskImages(); }

bool ExternalInstallations::isReady(App app) const {
    const auto found = installations_.find(app);
    return found != installations_.end() && found->second.isAvailable() && !preparing_.contains(app);
}

QCoro::Task<> ExternalInstallations::discover() {
    const QPointer<ExternalInstallations> self(this);
    if (const auto images = images_) leftovers_ = QtConcurrent::run([images] { images->detachLeftovers(); });

    // An older record that names an image as its program moves to the disk-image form; it
    // stays stored as it is until the move succeeds.
    const auto stored = installations_;
    for (const auto& [app, installation] : stored) {
        if (!installation.needsDiskImageMigration()) continue;
        auto moving = chooseDiskImage(installation.executablePath, app);
        co_await moving;
        if (!self) co_return;
    }

    std::map<App, ExternalBenchmarkInstallation> found;
    try {
        auto scanning = search_.run<std::map<App, ExternalBenchmarkInstallation>>(
            [folders = searchDirectories_](const CancelToken&) { return ExternalBenchmarkLocator::discover(folders); });
        found = co_await scanning;
    } catch (const std::exception& error) {
        log::error(category, std::string("couldn't search for the outside benchmarks: ") + error.what());
    }
    if (!self) co_return;
    for (const auto& [app, installation] : found) {
        const auto existing = installations_.find(app);
        if (existing != installations_.end() && existing->second.isAvailable()) continue;
        setInstallation(app, installation); // found again at the next start, saved or not
        setFoundAutomatically(app, true);
    }
}

void ExternalInstallations::choose(const fs::path& chosen, App app) {
    if (isPreparing()) return;
    if (isDiskImagePath(chosen)) {
        chooseDiskImage(chosen, app); // runs on by itself
        return;
    }
    try {
        const ExternalBenchmarkInstallation installation = ExternalBenchmarkLocator::resolve(chosen, app);
        emit saveTold(setInstallation(app, installation));
        setFoundAutomatically(app, false);
        setChooseError(app, std::nullopt);
    } catch (const ExternalBenchmarkLocatorError& error) {
        setChooseError(app, problemMessage(error));
    } catch (const std::exception&) {
        setChooseError(app, LocalizedMessage("External.NotExecutable", chosen.string()));
    }
}

QCoro::Task<> ExternalInstallations::chooseDiskImage(fs::path image, App app) {
    // One image at a time: two choices in flight would race for the same installation.
    if (isPreparing()) co_return;
    const QPointer<ExternalInstallations> self(this);
    setPreparing(app, true);
    setChooseError(app, std::nullopt);
    std::optional<ExternalBenchmarkInstallation> installation;
    std::optional<LocalizedMessage> failure;
    try {
        auto mounting = mount(image, {}); // bounded by the mounter
        const fs::path mountPoint = co_await mounting;
        installation = ExternalBenchmarkLocator::resolveOnMountedImage(mountPoint, image, app);
    } catch (const ExternalBenchmarkLocatorError& error) {
        failure = problemMessage(error);
    } catch (const DiskImageError& error) {
        failure = error.message;
    } catch (const std::exception& error) {
        failure = LocalizedMessage("External.ImageFailed", std::string(error.what()));
    }
    if (!self) co_return;
    if (installation) {
        emit saveTold(setInstallation(app, *installation));
        setFoundAutomatically(app, false);
    } else {
        setChooseError(app, std::move(failure));
    }
    setPreparing(app, false);
}

QCoro::Task<fs::path> ExternalInstallations::mount(fs::path image, std::stop_token stop) {
    const QPointer<ExternalInstallations> self(this);
    // The start-up clean-up works in the same folder: it goes first.
    if (leftovers_.isRunning()) {
        QFuture<void> cleaning = leftovers_;
        co_await cleaning;
        if (!self) throw CancellationError();
    }
    const auto images = images_;
    if (!images) throw DiskImageError(std::generic_category().message(EPERM));
    const std::string key = imageKey(image);
    // A folder left where the volume was (ejected meanwhile) is no mount: attach again.
    if (const auto known = mounts_.find(key); known != mounts_.end() && images->isMounted(known->second.mountPoint)) {
        // A copy: QCoro moves from a non-const lvalue that is co_returned.
        const fs::path mountPoint = known->second.mountPoint;
        co_return mountPoint;
    }
    auto attaching = images->attach(image, stop);
    const AttachedImage attached = co_await attaching;
    if (!self) {
        if (!attached.wasAlreadyMounted) images->detach(attached.mountPoint);
        throw CancellationError();
    }
    mounts_[key] = Mount{attached.mountPoint, !attached.wasAlreadyMounted};
    co_return attached.mountPoint;
}

void ExternalInstallations::detachDiskImages() {
    const auto mounts = std::exchange(mounts_, {});
    if (!images_) return;
    for (const auto& [image, mount] : mounts)
        if (mount.isOurs) images_->detach(mount.mountPoint);
}

SaveResult ExternalInstallations::setInstallation(App app, const ExternalBenchmarkInstallation& installation) {
    SaveResult saved = store_->setInstallation(installation, app);
    auto installations = installations_;
    installations.insert_or_assign(app, installation);
    assignObserved(this, installations_, std::move(installations), &ExternalInstallations::installationsChanged);
    return saved;
}

void ExternalInstallations::setChooseError(App app, std::optional<LocalizedMessage> message) {
    auto errors = chooseError_;
    if (message)
        errors.insert_or_assign(app, std::move(*message));
    else
        errors.erase(app);
    assignObserved(this, chooseError_, std::move(errors), &ExternalInstallations::chooseErrorChanged);
}

void ExternalInstallations::setPreparing(App app, bool preparing) {
    assignObserved(this, preparing_, withOrWithout(preparing_, app, preparing), &ExternalInstallations::preparingChanged);
}

void ExternalInstallations::setFoundAutomatically(App app, bool found) {
    assignObserved(this, foundAutomatically_, withOrWithout(foundAutomatically_, app, found),
                   &ExternalInstallations::foundAutomaticallyChanged);
}

} // namespace zantiva
