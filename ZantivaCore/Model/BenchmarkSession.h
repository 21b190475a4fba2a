#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Model/Date.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/JsonCodec.h"
#include "Model/SessionDeviceInfo.h"
#include "Model/SystemSpecs.h"
#include "Model/TestModule.h"

namespace zantiva {

// What may be done with a stored session on this machine.
enum class SessionResumability {
    resumable,    // steps remain and it was made here: offer it
    finished,     // no step remains: the file can go
    otherDevice,  // made on another machine: the file can go
    undetermined, // this machine (or the session's) has no readable model or CPU name: keep
                  // the file and offer nothing
};

// The resumable state of one test-suite run, saved after every step as
// "benchmark-session.json" (snake_case keys).
struct BenchmarkSession {
    // The peripheral status stored when the user skips the peripheral checks.
    static constexpr const char* peripheralBypassedStatus = "N/A (Bypassed by User)";

    // The session's form that this version writes, whatever the one it read said: what a
    // later form held besides is not in this record.
    static constexpr std::int64_t writtenSchemaVersion = 1;

    std::int64_t schemaVersion = writtenSchemaVersion; // read back as stored, never checked
    std::string sessionID;          // 32 lower-case hexadecimal digits
    SessionDeviceInfo deviceInfo;
    std::vector<TestModule> plannedSteps;
    std::vector<TestModule> completedSteps;
    std::map<std::string, ModuleStatus> stepStatus; // by stepID; no entry counts as pending
    std::map<std::string, double> scores;           // headline scores ("cpu_multi", "gpu", …)
    std::optional<TestModule> inProgress;
    std::optional<std::string> peripheralStatus; // present: resume with the peripheral checks bypassed
    FinalBenchmarkReport results;
    Date startedAt{};
    Date timestamp{}; // the time of the last change

    // A new session for the plan (put in canonical order, duplicates dropped) on the machine
    // of these specs, with a fresh random id, started now.
    static BenchmarkSession start(const SystemSpecs& specs, std::span<const TestModule> plan);

    // The planned steps not yet completed, in planned order.
    std::vector<TestModule> remainingModules() const;
    bool hasRemainingSteps() const;

    // Steps remaining first, then the machine.
    SessionResumability resumability(const SystemSpecs& specs) const;
    bool isResumable(const SystemSpecs& specs) const {
        return resumability(specs) == SessionResumability::resumable;
    }

    // Records a finished module: listed once among the completed steps, its status set (a
    // later one replaces an earlier one), no longer in progress, and the time of change.
    void markCompleted(TestModule module, ModuleStatus status, Date at);

    json::Json toJson() const;
    static BenchmarkSession fromJson(const json::Json& j);

    bool operator==(const BenchmarkSession&) const = default;
};

} // namespace zantiva
