#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QUrl>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <filesystem>
#include <functional>
#include <map>
#include <vector>
#include <memory>
#include <optional>
#include <string>
#include "Account/AccountSync.h"
#include "Account/AppUpdateInfo.h"
#include "Account/AppVersion.h"
#include "Account/HttpTransport.h"
#include "Account/SecureTokenStore.h"
#include "Account/SessionManager.h"
#include "Account/SyncLedger.h"
#include "Account/UpdateChecker.h"
#include "Account/ZantivaAPIClient.h"
#include "App/AccountModel.h"
#include "App/LiveTelemetry.h"
#include "ExternalRun/ExternalBenchmarkRunner.h"
#include "ExternalRun/UrlOpener.h"
#include "Feeds/AccountControls.h"
#include "Feeds/ReportFeed.h"
#include "Feeds/SpecsFeed.h"
#include "Feeds/WasherSetupPrompt.h"
#include "Localization/Loc.h"
#include "Localization/LocalizedMessage.h"
#include "Model/AppScreen.h"
#include "Model/AppSettingsStore.h"
#include "Model/BenchmarkSession.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/NotSavedNotice.h"
#include "Model/ResultStore.h"
#include "Model/SystemSpecs.h"
#include "Runners/RunGate.h"
#include "Runners/StorageRunner.h"
#include "Runners/SuiteConfiguration.h"
#include "Runners/TestSuiteRunner.h"
#endif

namespace zantiva {

// What the app model is built from: the services its caller supplies and the folder where
// the app keeps its files. The composition root fills it for the program; tests fill it
// with their own folder, sites and fakes.
struct AppModelSetup {
    std::unique_ptr<SecureTokenStore> tokenStore;
    std::unique_ptr<HttpTransport> transport;
    AppVersion currentVersion;
    // Settings, results and the upload ledger; absent (no home folder): nothing is stored.
    std::optional<std::filesystem::path> folder;
    // Why there is no folder (AppFolder::notice): the status line says it from the start.
    std::optional<LocalizedMessage> folderNotice;
    SiteDirectory sites = SiteDirectory::production();
    Loc* loc = nullptr;                            // required: the interface's language holder
    std::optional<SystemSpecs> specs;              // present: start-up reads none
    std::function<SystemSpecs()> readSpecs;        // empty: SystemProbe::readSpecs
    LiveTelemetry::SamplerFactory telemetrySampler; // empty: the machine's sensors
    // The runners' engines; the suite's telemetry sources are the live feed's.
    SuiteConfiguration suite;
    StorageRunnerConfiguration storage;
    // The outside-benchmark runner's tools, disk images, search folders and result-page
    // reader; the model adds the store and the CSV file in its folder and the opener below.
    ExternalRunnerConfiguration external;
    // Opens the address in the browser (a file in its application).
    UrlOpener openURL;
};

// The app's state: it owns every service, holds what the screens show (the screen under
// the header, the specs, the last report, the resumable run, the status line, the overlay
// flags, the update offer and the unexpected-error text) and runs the start-up work, the
// account flows, the update offer, the language switch and the hand-over of a finished
// run. Every getter has a …Changed signal that fires only on a real change. Main thread
// only.
class AppModel : public QObject,
                 public SpecsFeed,
                 public ReportFeed,
                 public WasherSetupPrompt,
                 public AccountControls {
    Q_OBJECT

public:
    explicit AppModel(AppModelSetup setup, QObject* parent = nullptr);
    ~AppModel() override;

    Loc& loc() const { return loc_; }
    SessionManager& session() { return session_; }
    LiveTelemetry& telemetry() { return telemetry_; }
    TestSuiteRunner& suite() { return suite_; }
    StorageRunner& storage() { return storage_; }
    ExternalBenchmarkRunner& external() { return external_; }
    // The one-run-at-a-time gate of every runner: busy while any run is in progress.
    const RunGate& runGate() const { return *gate_; }
    ZantivaAPIClient& api() { return api_; }
    const UpdateChecker& updateChecker() const { return updateChecker_; }
    AccountSync& sync() { return sync_; }
    // The sign-in, sign-out and account refresh, with the sign-in prompt.
    AccountModel& account() { return account_; }
    const AccountModel& account() const { return account_; }
    const ResultStore& store() const { return store_; }
    const AppSettingsStore& settings() const { return settings_; }
    const UrlOpener& openURL() const { return openURL_; }

    AppScreen screen() const { return screen_; }
    const std::optional<SystemSpecs>& specs() const override { return specs_; }
    void watchSpecs(const QObject* context, std::function<void()> changed) const override;
    const FinalBenchmarkReport& report() const override { return report_; }
    void watchReport(const QObject* context, std::function<void()> changed) const override;
    const std::optional<BenchmarkSession>& resumable() const { return resumable_; }
    // The status line's news of the moment (a sign-in under way, a link that didn't open).
    const std::optional<LocalizedMessage>& status() const { return status_; }
    // The status line's standing lines, in Banner order: each stands beside the others and
    // the news while what it says of its file is so.
    std::vector<LocalizedMessage> banners() const;
    bool isRefreshingAccount() const override { return account_.isRefreshingAccount(); }
    void watchRefreshingAccount(const QObject* context, std::function<void()> changed) const override;
    bool isWasherSetupVisible() const override { return isWasherSetupVisible_; }
    void watchWasherSetupVisible(const QObject* context, std::function<void()> changed) const override;
    const std::optional<AppUpdateInfo>& update() const { return update_; }
    const std::optional<std::string>& unexpectedError() const { return unexpectedError_; }

    // Whether the last report holds a CPU or GPU result or anything the health score counts.
    bool hasResults() const;

    void setScreen(AppScreen screen);
    void setResumable(std::optional<BenchmarkSession> session);
    void setStatus(std::optional<LocalizedMessage> status);
    // How a save of the record went (RunnerHost::tellSave): the file's banner says so while the
    // latest save of that file failed, and no longer once one worked (the report's, once one
    // saved every result that couldn't be saved before).
    void tellSave(SavedRecord record, const SaveResult& result);
    void setLoginPromptVisible(bool visible) override { account_.setLoginPromptVisible(visible); }
    void setWasherSetupVisible(bool visible) override;
    // The unexpected-error notice was read.
    void clearUnexpectedError();

    // Start-up, once per launch: live telemetry, the specs (read off the main thread), the
    // resumable run, the update check and the search for the outside benchmarks (then the
    // reading of their pending results) in the background, then the account refresh when
    // signed in.
    QCoro::Task<> start();
    // From now on an exception that nobody caught, on any thread, becomes the
    // unexpected-error text unless one is already shown.
    void watchForUnexpectedErrors();

    // Offers the active site's newer version unless that version (or a newer one) was dismissed.
    QCoro::Task<> checkForUpdate();
    void dismissUpdate();
    void openUpdateDownload();
    // Switches the interface and the account site, then checks for an update and refreshes
    // the account of the new site in the background.
    void setLanguage(AppLanguage language) override;

    // The hand-over of a finished suite run: the report joins the last one (when both are of
    // this machine) with every earlier run whose report couldn't be saved, is saved, said to be
    // handed over, then offered to the leaderboard. Whether the run's results are in the stored
    // report (RunnerHost::completeRun).
    QCoro::Task<bool> completeRun(FinalBenchmarkReport report, bool hadCompletedStations, RunHandOver how = {});

    void signOut() override { account_.signOut(); }
    // Fetches the signed-in account, then reports the device and submits the last result
    // when they changed. Does nothing when signed out or while a refresh runs.
    QCoro::Task<> refreshAccount() override { return account_.refreshAccount(); }

signals:
    void screenChanged();
    void specsChanged();
    void reportChanged();
    void resumableChanged();
    void statusChanged();
    void bannersChanged();
    void isWasherSetupVisibleChanged();
    void updateChanged();
    void unexpectedErrorChanged();
    // A finished suite run was handed over; measured: it completed a station, and the report
    // now holds what it measured.
    void runHandedOver(bool measured);

private:
    class RunnerLink;

    void setSpecs(std::optional<SystemSpecs> specs);
    void setReport(FinalBenchmarkReport report);
    void setUpdate(std::optional<AppUpdateInfo> update);
    // A finished run that the session file still holds (its end was cut short, or its report
    // couldn't be saved) laid over the report, the report shown anew; the stored session when
    // it can be resumed.
    std::optional<BenchmarkSession> layOverFinishedRun();
    // The stored report shown, once a save other than the report's own changed it, with the
    // runs whose report couldn't be saved laid over it.
    void reloadReport();
    // A run's session save laid the finished run the session file held over the report: the
    // report is shown anew, the status line no longer says those results are kept there, and
    // says where those the report didn't take were kept.
    void keptRunLaidOver(const std::vector<std::filesystem::path>& keptAside);
    void setBanner(Banner banner, std::optional<LocalizedMessage> message);
    // Lays the runs over the stored report and saves it; when that fails and `keepUnsaved`,
    // they are the runs in no file from then on.
    ReportSave saveRuns(std::vector<MeasuredRun> runs, bool keepUnsaved);
    // The runs whose report couldn't be saved, saved now and told.
    void saveUnsavedRuns();
    // Results the report didn't take were kept in these files: the banner names them all.
    void tellKeptAside(const std::vector<std::filesystem::path>& files);
    // Offers the last report to the leaderboard; one that isn't the whole machine's result is
    // told in the status line instead.
    QCoro::Task<> submitReport();
    void showUnexpectedError(std::string text);
    // Once the stored session is loaded: a refresh of the account when signed in.
    QCoro::Task<> refreshAccountWhenReady();
    QCoro::Task<> findOutsideBenchmarks();

    std::unique_ptr<SecureTokenStore> tokenStore_;
    std::unique_ptr<HttpTransport> transport_;
    AppSettingsStore settings_;
    Loc& loc_;
    SessionManager session_;
    ZantivaAPIClient api_;
    UpdateChecker updateChecker_;
    SyncLedger ledger_;
    AccountSync sync_;
    LiveTelemetry telemetry_;
    ResultStore store_;
    std::shared_ptr<RunGate> gate_; // one run at a time across the runners
    // Declared after the telemetry and the store they use, so they go first.
    TestSuiteRunner suite_;
    StorageRunner storage_;
    UrlOpener openURL_;
    // After the opener it uses; goes first, so a run's tool is stopped and its images
    // detached before the rest of the model.
    ExternalBenchmarkRunner external_;
    AccountModel account_; // after the session, its web calls and the opener it uses
    std::function<SystemSpecs()> readSpecs_;
    std::shared_ptr<RunnerLink> runnerLink_;

    AppScreen screen_ = AppScreen::dashboard;
    std::optional<SystemSpecs> specs_;
    FinalBenchmarkReport report_;
    std::optional<BenchmarkSession> resumable_;
    std::optional<LocalizedMessage> status_;
    std::map<Banner, LocalizedMessage> banners_;
    std::vector<std::filesystem::path> keptAside_; // this window's files of results kept aside
    // Runs whose report couldn't be saved and that no other file holds: shown, and laid over
    // the report with its next save that works.
    std::vector<MeasuredRun> unsaved_;
    bool isWasherSetupVisible_ = false;
    std::optional<AppUpdateInfo> update_;
    std::optional<std::string> unexpectedError_;
};

} // namespace zantiva
