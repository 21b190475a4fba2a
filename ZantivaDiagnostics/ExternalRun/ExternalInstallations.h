#pragma once

#include <QCoro/QCoroTask>
#include <QFuture>
#include <QObject>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <vector>
#include "External/DiskImageMounting.h"
#include "External/ExternalBenchmarkLocatorError.h"
#include "External/ExternalBenchmarkStore.h"
#include "Localization/LocalizedMessage.h"
#include "Runners/EngineCall.h"
#endif
#include "Model/SaveResult.h"

namespace zantiva {

// Where each outside benchmark application lives: found in the search folders, chosen on
// the card, or on a disk image that is opened read-only, and the images this object
// attached. Every getter has a …Changed signal that fires only on a real change. Main
// thread only.
class ExternalInstallations : public QObject {
    Q_OBJECT

public:
    using App = ExternalBenchmarkApp;

    // images: absent, disk images can't be opened. Shows the stored installations at once.
    ExternalInstallations(std::shared_ptr<ExternalBenchmarkStore> store,
                          std::vector<std::filesystem::path> searchDirectories,
                          std::shared_ptr<DiskImageMounting> images, QObject* parent = nullptr);
    // Detaches the images this object attached.
    ~ExternalInstallations() override;

    const std::map<App, ExternalBenchmarkInstallation>& all() const { return installations_; }
    // Applications whose installation discovery found (the card's badge).
    const std::set<App>& foundAutomatically() const { return foundAutomatically_; }
    // Why the last choice of an application failed.
    const std::map<App, LocalizedMessage>& chooseError() const { return chooseError_; }
    // Applications whose disk image is being opened.
    const std::set<App>& preparing() const { return preparing_; }
    // While an image is being opened no other choice starts (preparingChanged).
    bool isPreparing() const { return !preparing_.empty(); }
    // Installed where it can run now, and not being prepared.
    bool isReady(App app) const;

    // Start-up, once: detaches what an earlier run left attached, moves older records of
    // programs on an image to the disk-image form, then searches the folders. A usable
    // installation is never replaced by one found.
    QCoro::Task<> discover();
    // The card's choice of a program, folder or disk image; an image is opened in the
    // background. Ignored while an image is being prepared.
    void choose(const std::filesystem::path& chosen, App app);
    QCoro::Task<> chooseDiskImage(std::filesystem::path image, App app);
    // The folder where the image is mounted, attached now unless it already is; throws
    // DiskImageError when it can't be, CancellationError when `stop` is requested or this
    // object went meanwhile.
    QCoro::Task<std::filesystem::path> mount(std::filesystem::path image, std::stop_token stop);
    // Detaches the images this object attached; images that were mounted before stay.
    void detachDiskImages();

signals:
    void installationsChanged();
    void foundAutomaticallyChanged();
    void chooseErrorChanged();
    void preparingChanged();
    // How the save of a chosen installation (a program, or one on a disk image) went: one that
    // failed still applies, but is gone at the next start.
    void saveTold(const zantiva::SaveResult& saved);

private:
    struct Mount {
        std::filesystem::path mountPoint;
        bool isOurs = false; // attached here, so detached here
    };

    SaveResult setInstallation(App app, const ExternalBenchmarkInstallation& installation);
    void setChooseError(App app, std::optional<LocalizedMessage> message);
    void setPreparing(App app, bool preparing);
    void setFoundAutomatically(App app, bool found);

    std::shared_ptr<ExternalBenchmarkStore> store_;
    std::vector<std::filesystem::path> searchDirectories_;
    std::shared_ptr<DiskImageMounting> images_;
    std::map<std::string, Mount> mounts_; // by the image's absolute, normalised path
    QFuture<void> leftovers_;             // the start-up detach of an earlier run's images
    EngineCall search_;

    std::map<App, ExternalBenchmarkInstallation> installations_;
    std::set<App> foundAutomatically_;
    std::map<App, LocalizedMessage> chooseError_;
    std::set<App> preparing_;
};

} // namespace zantiva
