#include "Model/BenchmarkSession.h"
#include "Model/TestPlans.h"

#include <gtest/gtest.h>

#include "../../Support/SampleSpecs.h"
#include "RecordJsonChecks.h"

using namespace zantiva;
using namespace std::chrono;
using M = TestModule;

namespace {

using zantiva::testing::sampleLaptopSpecs;

const Date at = sys_days{2026y / December / 6} + 21h + 5min;

// A session with every field filled, at whole seconds so that it survives the file.
BenchmarkSession storedSession() {
    auto s = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::full);
    s.startedAt = at;
    s.markCompleted(M::cpuBenchmark, ModuleStatus::passed, at + 1min);
    s.scores = {{"cpu_multi", 1234.5}, {"cpu_single", 101.2}};
    s.inProgress = M::gpuBenchmark;
    s.peripheralStatus = BenchmarkSession::peripheralBypassedStatus;
    s.results.cpuResult = CpuBenchmarkResult{};
    s.results.completedAt = at;
    return s;
}

} // namespace

TEST(BenchmarkSession, NewSession) {
    const auto before = floor<seconds>(system_clock::now());
    const M plan[] = {M::battery, M::cpuBenchmark, M::battery};
    const auto s = BenchmarkSession::start(sampleLaptopSpecs(), plan);
    ASSERT_EQ(s.sessionID.size(), 32u);
    EXPECT_EQ(s.sessionID.find_first_not_of("0123456789abcdef"), std::string::npos) << s.sessionID;
    EXPECT_NE(BenchmarkSession::start(sampleLaptopSpecs(), plan).sessionID, s.sessionID);
    EXPECT_EQ(s.plannedSteps, (std::vector{M::cpuBenchmark, M::battery}));
    EXPECT_EQ(s.deviceInfo, SessionDeviceInfo::of(sampleLaptopSpecs()));
    EXPECT_EQ(s.results.specs, sampleLaptopSpecs());
    EXPECT_GE(s.startedAt, before);
    EXPECT_EQ(s.startedAt, s.timestamp);
}

TEST(BenchmarkSession, StepBookkeeping) {
    auto s = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::performance);
    EXPECT_EQ(s.remainingModules(), TestPlans::performance);

    s.inProgress = M::gpuBenchmark;
    s.markCompleted(M::cpuBenchmark, ModuleStatus::failed, at);
    EXPECT_EQ(s.inProgress, M::gpuBenchmark);
    EXPECT_EQ(s.timestamp, at);

    s.markCompleted(M::cpuBenchmark, ModuleStatus::passed, at + 1s);
    EXPECT_EQ(s.completedSteps, std::vector{M::cpuBenchmark});
    EXPECT_EQ(s.stepStatus, (std::map<std::string, ModuleStatus>{{"cpu", ModuleStatus::passed}}));
    EXPECT_EQ(s.remainingModules(), (std::vector{M::gpuBenchmark, M::ramTest}));

    s.markCompleted(M::gpuBenchmark, ModuleStatus::skipped, at + 2s);
    EXPECT_EQ(s.inProgress, std::nullopt);
    EXPECT_TRUE(s.hasRemainingSteps());
    EXPECT_TRUE(s.isResumable(sampleLaptopSpecs()));

    s.markCompleted(M::ramTest, ModuleStatus::passed, at + 3s);
    EXPECT_TRUE(s.remainingModules().empty());
    EXPECT_FALSE(s.hasRemainingSteps());
    EXPECT_EQ(s.resumability(sampleLaptopSpecs()), SessionResumability::finished);

    // A module outside the plan is recorded but leaves the plan's remaining steps alone.
    auto partial = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::displayOnly);
    partial.markCompleted(M::audio, ModuleStatus::passed, at);
    EXPECT_EQ(partial.remainingModules(), std::vector{M::display});
}

TEST(BenchmarkSession, ResumabilityOnThisAndOtherMachines) {
    const auto s = storedSession();
    struct Case {
        const char* what;
        std::string model, cpu;
        SessionResumability expected;
    };
    const auto here = sampleLaptopSpecs();
    const Case cases[] = {
        {"same machine", here.model, here.cpuName, SessionResumability::resumable},
        {"case and blanks", " LAPTOP 13\t", here.cpuName, SessionResumability::resumable},
        {"other model", "Laptop 16", here.cpuName, SessionResumability::otherDevice},
        {"other CPU", here.model, "AMD Ryzen 5 7640U", SessionResumability::otherDevice},
        {"model unread", "Unknown", here.cpuName, SessionResumability::undetermined},
        {"CPU unread", here.model, "", SessionResumability::undetermined},
    };
    for (const auto& c : cases) {
        auto specs = here;
        specs.model = c.model;
        specs.cpuName = c.cpu;
        EXPECT_EQ(s.resumability(specs), c.expected) << c.what;
        EXPECT_EQ(s.isResumable(specs), c.expected == SessionResumability::resumable) << c.what;
    }
}

TEST(BenchmarkSession, JsonUsesSnakeCaseKeys) {
    const auto s = storedSession();
    const auto j = s.toJson();
    EXPECT_EQ(j["session_id"], s.sessionID);
    EXPECT_EQ(j["planned_steps"], (json::Json{"cpu", "gpu", "ram", "display", "audio", "mic_camera", "battery", "input"}));
    EXPECT_EQ(j["completed_steps"], json::Json{"cpu"});
    EXPECT_EQ(j["step_status"], (json::Json{{"cpu", "passed"}}));
    EXPECT_EQ(j["in_progress"], "gpu");
    EXPECT_EQ(j["peripheral_status"], "N/A (Bypassed by User)");
    EXPECT_EQ(j["started_at"], "2026-12-06T21:05:00Z");
    EXPECT_EQ(j["timestamp"], "2026-12-06T21:06:00Z");
    EXPECT_EQ(j["device_info"]["cpu"], "Intel Core Ultra 7 155H");
    EXPECT_TRUE(j["results"].contains("cpuResult"));
    test::expectRoundTrip(s);
    test::expectStrictKeys(s, {"in_progress", "peripheral_status"});
    test::expectMistypedKeyFails(s, "planned_steps", json::Json{"cpu", "disk"});
    test::expectMistypedKeyFails(s, "step_status", json::Json{{"cpu", "canceled"}});
    test::expectMistypedKeyFails(s, "in_progress", "micCamera");
    test::expectMistypedKeyFails(s, "scores", json::Json{{"gpu", "fast"}});

    auto brokenReport = j;
    brokenReport["results"].erase("completedAt");
    EXPECT_THROW(BenchmarkSession::fromJson(brokenReport), json::DecodeError);
}
