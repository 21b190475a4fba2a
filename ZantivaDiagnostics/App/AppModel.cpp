#include "App/AppModel.h"

#include <chrono>
#include <utility>

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include "App/BrowserOpening.h"
#include "External/ExternalBenchmarkCSV.h"
#include "Model/BenchmarkScoring.h"
#include "Model/NotSavedNotice.h"
#include "Model/ReportMachine.h"
#include "Model/RunLayOver.h"
#include "Model/TestPlans.h"
#include "Probes/SystemProbe.h"
#include "Observation/ObservedValue.h"
#include "Runners/RunnerHost.h"
#include "Bridge/DetachedTask.h"
#include "Bridge/ExceptionCatcher.h"

namespace zantiva {
namespace {

constexpr std::chrono::seconds telemetryInterval{1};

// The interface takes the saved language before anything that follows the language is made.
Loc& withLanguage(Loc& loc, AppLanguage language) {
    loc.setLanguage(language);
    return loc;
}

// The CPU engine reads the live feed's own sampler, and the load trace its latest snapshot.
SuiteConfiguration withLiveFeed(SuiteConfiguration configuration, const LiveTelemetry& telemetry) {
    configuration.sampler = [&telemetry]() -> std::optional<SensorSnapshot> {
        const auto sampler = telemetry.sampler();
        if (!sampler) return std::nullopt;
        return sampler->sample();
    };
    configuration.latestTelemetry = [&telemetry] { return std::optional(telemetry.latest()); };
    return configuration;
}

// The runner's store and CSV file live in the app folder; the CSV opens like any address.
ExternalRunnerConfiguration inAppFolder(ExternalRunnerConfiguration configuration,
                                        const std::optional<std::filesystem::path>& folder,
                                        const UrlOpener& openURL) {
    configuration.store = std::make_shared<ExternalBenchmarkStore>(folder);
    if (folder) configuration.csvFile = *folder / ExternalBenchmarkCSV::fileName;
    configuration.openURL = openURL;
    return configuration;
}

template <typename T> QCoro::Task<> discardResult(QCoro::Task<T> task) { co_await task; }

} // namespace

// What the runners reach of the model. The model owns it and the runners hold it weakly;
// once the model is going it answers as a model without specs and passes nothing on.
class AppModel::RunnerLink final : public RunnerHost, public ExternalRunnerHost {
public:
    explicit RunnerLink(AppModel* model) : model_(model) {}
    void release() { model_ = nullptr; }

    std::optional<SystemSpecs> specs() const override { return model_ ? model_->specs() : std::nullopt; }
    void setResumable(std::optional<BenchmarkSession> session) override {
        if (model_) model_->setResumable(std::move(session));
    }
    QCoro::Task<bool> completeRun(FinalBenchmarkReport report, bool hadCompletedStations, RunHandOver how) override {
        if (!model_) co_return false; // nothing saved the report: the session stays
        auto handOver = model_->completeRun(std::move(report), hadCompletedStations, std::move(how));
        co_return co_await handOver;
    }
    void storedReportChanged(const std::vector<std::filesystem::path>& keptAside) override {
        if (model_) model_->keptRunLaidOver(keptAside);
    }
    void setStatus(std::optional<LocalizedMessage> status) override {
        if (model_) model_->setStatus(std::move(status));
    }
    void tellSave(SavedRecord record, const SaveResult& result) override {
        if (model_) model_->tellSave(record, result);
    }
    ExternalCsvSources csvSources() const override {
        if (!model_) return {};
        return {model_->hasResults() ? std::optional(model_->report_) : std::nullopt, model_->storage_.result(),
                model_->specs_};
    }
    void startPerformanceSuite(std::function<void()> afterRun) override {
        if (!model_) return;
        model_->suite_.setAfterRun(std::move(afterRun));
        model_->suite_.start(TestPlans::performance);
    }

private:
    AppModel* model_;
};

AppModel::AppModel(AppModelSetup setup, QObject* parent)
    : QObject(parent),
      tokenStore_(std::move(setup.tokenStore)),
      transport_(std::move(setup.transport)),
      settings_(setup.folder),
      loc_(withLanguage(*setup.loc, settings_.current().language)),
      session_(setup.sites.forLanguage(settings_.current().language), *tokenStore_, setup.sites),
      api_(session_, *transport_),
      updateChecker_{*transport_, setup.currentVersion},
      ledger_(setup.folder),
      sync_(session_, api_, ledger_),
      telemetry_(std::move(setup.telemetrySampler)),
      store_(setup.folder),
      gate_(std::make_shared<RunGate>()),
      suite_(store_, gate_, withLiveFeed(std::move(setup.suite), telemetry_)),
      storage_(store_, gate_, std::move(setup.storage)),
      openURL_(std::move(setup.openURL)),
      external_(inAppFolder(std::move(setup.external), setup.folder, openURL_), gate_),
      account_(session_, api_, openURL_,
               [this](std::optional<LocalizedMessage> status) { setStatus(std::move(status)); }),
      readSpecs_(std::move(setup.readSpecs)),
      runnerLink_(std::make_shared<RunnerLink>(this)),
      specs_(std::move(setup.specs)),
      report_(store_.loadReport().value_or(FinalBenchmarkReport{.specs = specs_})) {
    if (!readSpecs_) readSpecs_ = [] { return SystemProbe::readSpecs(); };
    setStatus(std::move(setup.folderNotice));
    suite_.setModel(runnerLink_);
    // A new suite run takes the place of the interrupted one; that a run didn't begin is
    // no longer so.
    connect(&suite_, &Runner::runBegan, this, [this] {
        setResumable(std::nullopt);
        if (status_ && saysRunNotBegun(*status_)) setStatus(std::nullopt);
    });
    // A fetched account hears of the device and the last result when they changed.
    connect(&account_, &AccountModel::refreshed, this, [this] {
        if (specs_) detach(discardResult(sync_.reportDeviceIfChanged(*specs_)));
        if (hasResults()) detach(submitReport());
    });
    storage_.setModel(runnerLink_);
    external_.attach(runnerLink_);
    storage_.setResult(store_.loadStorageResult());
}

AppModel::~AppModel() {
    // The web calls under way end now, while everything they report to is still here.
    transport_->close();
    // So do the start-up and language switch that wait for the stored session.
    session_.close();
    runnerLink_->release();
}

bool AppModel::hasResults() const {
    // Another machine's (a restored app folder): never shown or sent as this one's.
    if (madeOnAnotherMachine(report_, specs_)) return false;
    return report_.cpuResult || report_.gpuResult || BenchmarkScoring::healthScore(report_).has_value();
}

void AppModel::setScreen(AppScreen screen) { assignObserved(this, screen_, screen, &AppModel::screenChanged); }

void AppModel::setResumable(std::optional<BenchmarkSession> session) {
    assignObserved(this, resumable_, std::move(session), &AppModel::resumableChanged);
}

void AppModel::setStatus(std::optional<LocalizedMessage> status) {
    assignObserved(this, status_, std::move(status), &AppModel::statusChanged);
}

std::vector<LocalizedMessage> AppModel::banners() const {
    std::vector<LocalizedMessage> out;
    for (const auto& [banner, message] : banners_) out.push_back(message);
    return out;
}

void AppModel::setBanner(Banner banner, std::optional<LocalizedMessage> message) {
    const auto standing = banners_.find(banner);
    if (standing != banners_.end() && message == standing->second) return;
    if (standing == banners_.end() && !message) return;
    if (message)
        banners_.insert_or_assign(banner, std::move(*message));
    else
        banners_.erase(standing);
    emit bannersChanged();
}

void AppModel::tellSave(SavedRecord record, const SaveResult& result) {
    const Banner banner = bannerOf(record);
    if (!result.saved()) return setBanner(banner, notSavedNotice(record, result));
    if (unsaved_.empty()) return setBanner(banner, std::nullopt);
    // The folder takes saves again (space freed, made writable): the runs whose report
    // couldn't be saved are saved now, rather than lost when the app closes. A report saved
    // without them doesn't hold them: its line goes only with them.
    if (banner != Banner::report) setBanner(banner, std::nullopt);
    saveUnsavedRuns();
}

ReportSave AppModel::saveRuns(std::vector<MeasuredRun> runs, bool keepUnsaved) {
    // Laid over the report as stored now, which another window may have saved since.
    FinalBenchmarkReport merged = report_;
    const ReportSave saved = store_.saveRun(runs, merged);
    setReport(std::move(merged));
    if (saved.saved())
        unsaved_.clear();
    else if (keepUnsaved) {
        // In no file: shown, and saved with the report's next save, as results of a while ago.
        for (MeasuredRun& run : runs) run.justMeasured = false;
        unsaved_ = std::move(runs);
    }
    tellKeptAside(saved.keptAside);
    return saved;
}

void AppModel::saveUnsavedRuns() { tellSave(SavedRecord::report, saveRuns(unsaved_, true).result); }

void AppModel::tellKeptAside(const std::vector<std::filesystem::path>& files) {
    if (files.empty()) return;
    keptAside_.insert(keptAside_.end(), files.begin(), files.end());
    setBanner(Banner::keptAside, keptAsideNotice(keptAside_));
}

void AppModel::watchRefreshingAccount(const QObject* context, std::function<void()> changed) const {
    connect(&account_, &AccountModel::isRefreshingAccountChanged, context, std::move(changed));
}

void AppModel::watchWasherSetupVisible(const QObject* context, std::function<void()> changed) const {
    connect(this, &AppModel::isWasherSetupVisibleChanged, context, std::move(changed));
}

void AppModel::setWasherSetupVisible(bool visible) {
    assignObserved(this, isWasherSetupVisible_, visible, &AppModel::isWasherSetupVisibleChanged);
}

void AppModel::clearUnexpectedError() {
    assignObserved(this, unexpectedError_, std::nullopt, &AppModel::unexpectedErrorChanged);
}

void AppModel::watchSpecs(const QObject* context, std::function<void()> changed) const {
    connect(this, &AppModel::specsChanged, context, std::move(changed));
}

void AppModel::setSpecs(std::optional<SystemSpecs> specs) {
    assignObserved(this, specs_, std::move(specs), &AppModel::specsChanged);
}

void AppModel::watchReport(const QObject* context, std::function<void()> changed) const {
    connect(this, &AppModel::reportChanged, context, std::move(changed));
}

void AppModel::setReport(FinalBenchmarkReport report) {
    assignObserved(this, report_, std::move(report), &AppModel::reportChanged);
}

void AppModel::setUpdate(std::optional<AppUpdateInfo> update) {
    assignObserved(this, update_, std::move(update), &AppModel::updateChanged);
}

void AppModel::showUnexpectedError(std::string text) {
    if (unexpectedError_) return; // the notice on screen stays; later ones are dropped
    assignObserved(this, unexpectedError_, std::optional(std::move(text)), &AppModel::unexpectedErrorChanged);
}

// ---- start-up ----

std::optional<BenchmarkSession> AppModel::layOverFinishedRun() {
    if (!specs_) return std::nullopt;
    bool laidOver = false;
    std::vector<std::filesystem::path> keptAside;
    auto resumable = store_.loadResumableSession(*specs_, &laidOver, &keptAside);
    if (laidOver) reloadReport();
    tellKeptAside(keptAside);
    return resumable;
}

void AppModel::reloadReport() {
    std::optional<FinalBenchmarkReport> shown = store_.loadReport().value_or(report_);
    for (const MeasuredRun& run : unsaved_) shown = layRunOver(shown, run).report;
    setReport(std::move(*shown));
}

void AppModel::keptRunLaidOver(const std::vector<std::filesystem::path>& keptAside) {
    reloadReport();
    tellSave(SavedRecord::report, {}); // the report was saved anew
    tellKeptAside(keptAside);
}

QCoro::Task<> AppModel::start() {
    const QPointer<AppModel> self(this);
    telemetry_.start(telemetryInterval);
    if (!specs_) {
        QFuture<SystemSpecs> reading = QtConcurrent::run(readSpecs_);
        SystemSpecs specs = co_await reading;
        if (!self) co_return;
        setSpecs(std::move(specs));
    }
    if (!suite_.isRunning()) setResumable(layOverFinishedRun());
    detach(checkForUpdate());
    detach(findOutsideBenchmarks());
    auto refreshing = refreshAccountWhenReady();
    co_await refreshing;
}

QCoro::Task<> AppModel::findOutsideBenchmarks() {
    const QPointer<AppModel> self(this);
    auto discovering = external_.installations().discover();
    co_await discovering;
    if (!self) co_return;
    auto recovering = external_.recoverPendingResults();
    co_await recovering;
}

void AppModel::watchForUnexpectedErrors() {
    ExceptionCatcher::setApplicationHandler([model = QPointer<AppModel>(this)](const CaughtException& exception) {
        // Any thread may report. The application object lives on the model's thread, and the
        // pointer is read there, where the model would be destroyed.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [model, text = exception.text()] {
                if (model) model->showUnexpectedError(text);
            },
            Qt::QueuedConnection);
    });
}

// ---- update offer and language ----

QCoro::Task<> AppModel::checkForUpdate() {
    const QPointer<AppModel> self(this);
    const SiteProfile site = session_.activeSite();
    auto checking = updateChecker_.check(site);
    std::optional<AppUpdateInfo> offer = co_await checking;
    // An answer for a site the user switched away from meanwhile belongs to nobody.
    if (!self || session_.activeSite() != site) co_return;
    const auto& dismissedText = settings_.current().dismissedUpdateVersion;
    const auto dismissed = dismissedText ? AppVersion::parse(*dismissedText) : std::nullopt;
    if (offer && dismissed && !(*dismissed < offer->version)) offer.reset();
    setUpdate(std::move(offer));
}

void AppModel::dismissUpdate() {
    if (!update_) return;
    const SaveResult saved = settings_.setDismissedUpdateVersion(update_->version.description());
    setUpdate(std::nullopt);
    tellSave(SavedRecord::settings, saved);
}

void AppModel::openUpdateDownload() {
    if (!update_) return;
    const QUrl download(QString::fromStdString(update_->downloadURL));
    detach(openOrSay(openURL_, download, "Update.OpenFailed", this,
                     [this](LocalizedMessage failure) { setStatus(std::move(failure)); }));
}

void AppModel::setLanguage(AppLanguage language) {
    if (language == loc_.language()) return;
    loc_.setLanguage(language);
    session_.setLanguage(language);
    const SaveResult saved = settings_.setLanguage(language);
    // The news of the moment goes; the banners stand, told again in the new language.
    setStatus(std::nullopt);
    tellSave(SavedRecord::settings, saved);
    setUpdate(std::nullopt);
    detach(checkForUpdate());
    detach(refreshAccountWhenReady());
}

QCoro::Task<> AppModel::refreshAccountWhenReady() {
    const QPointer<AppModel> self(this);
    auto loading = session_.ready();
    co_await loading;
    if (!self) co_return;
    auto refreshing = refreshAccount(); // does nothing unless signed in
    co_await refreshing;
}

// ---- run completion ----

QCoro::Task<bool> AppModel::completeRun(FinalBenchmarkReport report, bool hadCompletedStations, RunHandOver how) {
    if (!hadCompletedStations) {
        emit runHandedOver(false);
        co_return true;
    }
    if (specs_) report.specs = specs_;
    // In the precision of the report file, so the report shown is the one saved.
    report.completedAt = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    // The runs whose report couldn't be saved go first, then what a resumed run carries from
    // before its interruption, then what this run measured.
    std::vector<MeasuredRun> runs = unsaved_;
    if (how.carried) {
        how.carried->results.specs = report.specs;
        report = resultsAddedSince(report, how.carried->results);
        runs.push_back(*how.carried);
    }
    runs.push_back({report, how.startedAt.value_or(report.completedAt), true});
    const bool keptElsewhere = how.keptInSession && unsaved_.empty();
    // A run the session file holds is no run in no file: the next start lays that over the report.
    const ReportSave saved = saveRuns(std::move(runs), !how.keptInSession);
    tellSave(keptElsewhere && !saved.saved() ? SavedRecord::runKeptInSession : SavedRecord::report, saved.result);
    // The report's line tells of a finished run's results; its session's is moot.
    if (how.finished) setBanner(Banner::session, std::nullopt);
    emit runHandedOver(true);
    auto submitting = submitReport();
    co_await submitting;
    co_return saved.saved();
}

QCoro::Task<> AppModel::submitReport() {
    const FinalBenchmarkReport report = report_;
    const QPointer<AppModel> self(this);
    auto submitting = sync_.submitIfChanged(report, BenchmarkScoring::deviceGrade(report));
    const SubmissionOutcome outcome = co_await std::move(submitting);
    // Said unless something more pressing (a report that wasn't saved) is shown.
    if (outcome == SubmissionOutcome::withheld && self && !status_)
        setStatus(BenchmarkSubmission::withheldBecause(report));
}

} // namespace zantiva
