#include "Model/BenchmarkSession.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Model/RecordFields.h"
#include "Model/TestPlans.h"

namespace zantiva {
namespace {

using S = BenchmarkSession;

constexpr auto fields = std::tuple{
    json::field("schema_version", &S::schemaVersion),
    json::field("session_id", &S::sessionID),
    json::field("device_info", &S::deviceInfo),
    json::field("planned_steps", &S::plannedSteps),
    json::field("completed_steps", &S::completedSteps),
    json::field("step_status", &S::stepStatus),
    json::field("scores", &S::scores),
    json::field("in_progress", &S::inProgress),
    json::field("peripheral_status", &S::peripheralStatus),
    json::field("results", &S::results),
    json::field("started_at", &S::startedAt),
    json::field("timestamp", &S::timestamp),
};

// A random (version 4) UUID's text without its dashes, in lower case.
std::string newSessionID() {
    unsigned char bytes[16];
    ::arc4random_buf(bytes, sizeof bytes);
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    std::string id;
    for (const unsigned char b : bytes) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", b);
        id += hex;
    }
    return id;
}

bool contains(const std::vector<TestModule>& modules, TestModule module) {
    return std::find(modules.begin(), modules.end(), module) != modules.end();
}

} // namespace

BenchmarkSession BenchmarkSession::start(const SystemSpecs& specs, std::span<const TestModule> plan) {
    BenchmarkSession session;
    session.sessionID = newSessionID();
    session.deviceInfo = SessionDeviceInfo::of(specs);
    session.plannedSteps = TestPlans::ordered(plan);
    session.results.specs = specs;
    session.startedAt = std::chrono::system_clock::now();
    session.timestamp = session.startedAt;
    return session;
}

std::vector<TestModule> BenchmarkSession::remainingModules() const {
    std::vector<TestModule> remaining;
    std::copy_if(plannedSteps.begin(), plannedSteps.end(), std::back_inserter(remaining),
                 [&](TestModule m) { return !contains(completedSteps, m); });
    return remaining;
}

bool BenchmarkSession::hasRemainingSteps() const {
    return std::any_of(plannedSteps.begin(), plannedSteps.end(),
                       [&](TestModule m) { return !contains(completedSteps, m); });
}

SessionResumability BenchmarkSession::resumability(const SystemSpecs& specs) const {
    if (!hasRemainingSteps()) return SessionResumability::finished;
    switch (deviceInfo.match(specs)) {
    case DeviceMatch::same: return SessionResumability::resumable;
    case DeviceMatch::other: return SessionResumability::otherDevice;
    case DeviceMatch::undetermined: break;
    }
    return SessionResumability::undetermined;
}

void BenchmarkSession::markCompleted(TestModule module, ModuleStatus status, Date at) {
    if (!contains(completedSteps, module)) completedSteps.push_back(module);
    stepStatus[std::string(stepID(module))] = status;
    if (inProgress == module) inProgress.reset();
    timestamp = at;
}

json::Json BenchmarkSession::toJson() const {
    json::Json j = json::encodeFields(*this, fields);
    j["schema_version"] = writtenSchemaVersion;
    return j;
}

BenchmarkSession BenchmarkSession::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
