// Device reports and result submissions: sent once per change and site, never thrown.

#include <gtest/gtest.h>

#include <filesystem>

#include "../../Support/SampleSpecs.h"
#include "../../Support/TemporaryFolder.h"
#include "AccountFixture.h"
#include "Account/AccountSync.h"
#include "Localization/Loc.h"
#include "Platform/AtomicFile.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

FinalBenchmarkReport rankedReport() {
    FinalBenchmarkReport report;
    report.specs = sampleLaptopSpecs();
    report.cpuResult = CpuBenchmarkResult{};
    report.cpuResult->score = 1234.5;
    report.cpuResult->threadsUsed = report.specs->cpuThreads;
    report.completedAt = *parseIso8601("2026-12-01T10:00:00Z");
    return report;
}

class Sync : public AccountFixture {
protected:
    TemporaryFolder folder;
    std::optional<SyncLedger> ledger{folder.path()};
    std::optional<AccountSync> sync{std::in_place, session, api, *ledger};

    void SetUp() override { signIn(); }

    SubmissionOutcome submit(const FinalBenchmarkReport& report, std::optional<DeviceGrade> grade = DeviceGrade::a) {
        return awaitTask(sync->submitIfChanged(report, grade));
    }
    bool report(const SystemSpecs& specs) { return awaitTask(sync->reportDeviceIfChanged(specs)); }
    // A new run of the program over the same folder.
    void restart() {
        sync.reset();
        ledger.emplace(folder.path());
        sync.emplace(session, api, *ledger);
    }
};

TEST_F(Sync, AResultIsSubmittedOnceAndADuplicateIsSkipped) {
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::submitted);
    const json::Json sent = server.requests().back().jsonBody();
    EXPECT_EQ(server.requests().back().header("authorization"), "Bearer token-1");
    EXPECT_EQ(sent["cpu_score"], 1234.5);
    EXPECT_EQ(sent["grade"], "A");
    EXPECT_EQ(sent["completed_at"], "2026-12-01T10:00:00Z");
    EXPECT_EQ(sent["device"]["name"], "Framework Laptop 13");
    EXPECT_TRUE(std::filesystem::exists(folder / "last-submitted-fingerprint-zantiva.ir"));

    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::unchanged);
    restart();
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::unchanged) << "the fingerprint outlives the process";
    EXPECT_EQ(server.count("submit-benchmark"), 1);

    FinalBenchmarkReport newer = rankedReport();
    newer.completedAt = *parseIso8601("2026-12-02T10:00:00Z");
    EXPECT_EQ(submit(newer), SubmissionOutcome::submitted);
    EXPECT_EQ(server.count("submit-benchmark"), 2);
}

TEST_F(Sync, OverlappingRequestsForTheSameResultSendIt) {
    Awaited<SubmissionOutcome> first, second;
    capture(sync->submitIfChanged(rankedReport(), DeviceGrade::a), first);
    capture(sync->submitIfChanged(rankedReport(), DeviceGrade::a), second);
    ASSERT_TRUE(runUntil([&] { return first.done && second.done; }));
    EXPECT_EQ(*first.value, SubmissionOutcome::submitted);
    EXPECT_EQ(*second.value, SubmissionOutcome::unchanged);
    EXPECT_EQ(server.count("submit-benchmark"), 1);
}

TEST_F(Sync, FingerprintsAreKeptPerSite) {
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::submitted);
    session.setLanguage(AppLanguage::english);
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::signedOut);
    signIn();
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::submitted);
    EXPECT_TRUE(std::filesystem::exists(folder / "last-submitted-fingerprint-zantiva.com"));
    EXPECT_EQ(server.count("submit-benchmark"), 2);
}

// A CPU score from fewer threads than the machine has (a run held to some CPUs) is not the
// machine's: nothing goes to the leaderboard under its name, and the reason is there to tell.
TEST_F(Sync, AResultMeasuredOnFewerThreadsThanTheMachineHasIsWithheld) {
    FinalBenchmarkReport partial = rankedReport();
    partial.cpuResult->threadsUsed = 1;
    partial.gpuResult = GpuBenchmarkResult{.score = 120};
    EXPECT_EQ(submit(partial), SubmissionOutcome::withheld);
    EXPECT_FALSE(BenchmarkSubmission::make(partial, DeviceGrade::a));
    EXPECT_EQ(server.count("submit-benchmark"), 0);
    EXPECT_EQ(BenchmarkSubmission::withheldBecause(partial),
              LocalizedMessage("Main.ResultNotSubmitted.FewerThreads", 1, 22));
    EXPECT_EQ(Loc(AppLanguage::english).resolve(*BenchmarkSubmission::withheldBecause(partial)),
              "This result wasn't sent to the leaderboard: its CPU score was measured on 1 of this computer's 22 "
              "threads, so it doesn't stand for the whole computer. Run the CPU test with every processor to send it.");

    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::submitted) << "on all of them it is the machine's";
    FinalBenchmarkReport unverified = partial;
    unverified.cpuResult->resultsVerified = false; // no CPU score is sent at all
    EXPECT_EQ(submit(unverified), SubmissionOutcome::submitted);
}

// On every thread but under a CPU quota (a container's --cpus=2) the score is two processors'
// worth of the machine: withheld in the same way, with its own reason. A quota as large as the
// machine holds nothing back.
TEST_F(Sync, AResultMeasuredUnderACpuQuotaIsWithheld) {
    FinalBenchmarkReport quota = rankedReport();
    quota.cpuResult->cpuQuota = 400000.0 / 300000;   // shown to hundredths
    EXPECT_EQ(submit(quota), SubmissionOutcome::withheld);
    EXPECT_EQ(Loc(AppLanguage::english).resolve(*BenchmarkSubmission::withheldBecause(quota)),
              "This result wasn't sent to the leaderboard: its CPU score was measured under a CPU quota of 1.33 "
              "processors' time, less than this computer's 22 threads, so it doesn't stand for the whole computer. "
              "Run the CPU test without the quota to send it.");
    quota.cpuResult->cpuQuota = 2;
    EXPECT_EQ(BenchmarkSubmission::withheldBecause(quota), LocalizedMessage("Main.ResultNotSubmitted.CpuQuota", 2, 22));
    quota.cpuResult->cpuQuota = 22;
    EXPECT_EQ(submit(quota), SubmissionOutcome::submitted);
}

TEST_F(Sync, NothingToRankAndFailuresSendNothingOrComeBackAsOutcomes) {
    FinalBenchmarkReport unranked;
    unranked.specs = sampleLaptopSpecs();
    unranked.memoryResult = MemoryTestResult{};
    EXPECT_EQ(submit(unranked), SubmissionOutcome::nothingToRank);
    FinalBenchmarkReport unverified = rankedReport();
    unverified.cpuResult->resultsVerified = false;
    EXPECT_EQ(submit(unverified), SubmissionOutcome::nothingToRank);
    EXPECT_EQ(server.count("submit-benchmark"), 0);

    server.answer("submit-benchmark", {503, "busy", {}});
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::failed);
    EXPECT_FALSE(std::filesystem::exists(folder / "last-submitted-fingerprint-zantiva.ir"));
    EXPECT_TRUE(session.isAuthenticated());

    server.answer("submit-benchmark", CannedReply::object(200, {{"user_id", 7}}));
    EXPECT_EQ(submit(rankedReport()), SubmissionOutcome::submitted) << "a failed upload is tried again";
}

TEST_F(Sync, TheDeviceIsReportedOnlyWhenItChanged) {
    EXPECT_TRUE(report(sampleLaptopSpecs()));
    EXPECT_EQ(server.requests().back().jsonBody()["device"]["cpu"], "Intel Core Ultra 7 155H (16C: 6P+10E)");
    EXPECT_FALSE(report(sampleLaptopSpecs()));
    restart();
    EXPECT_FALSE(report(sampleLaptopSpecs()));
    EXPECT_EQ(server.count("device"), 1);

    SystemSpecs upgraded = sampleLaptopSpecs();
    upgraded.ramCapacityGB = 32;
    EXPECT_TRUE(report(upgraded));
    EXPECT_EQ(server.count("device"), 2);
    EXPECT_FALSE(report(SystemSpecs{})) << "an empty profile is not worth sending";

    server.answer("device", CannedReply::object(200, {{"user_id", 8}}));
    SystemSpecs again = sampleLaptopSpecs();
    again.gpuName = "Radeon 780M";
    EXPECT_FALSE(report(again)) << "a reply for another user is a failure";
    session.signOut();
    EXPECT_FALSE(report(again));
}

} // namespace
