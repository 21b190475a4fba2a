#pragma once

#include <string_view>

#include "Model/RawValues.h"

namespace zantiva {

// The eight tests of a check-up, declared in the canonical order a suite runs them.
enum class TestModule { cpuBenchmark, gpuBenchmark, ramTest, display, audio, micCamera, battery, input };

template <> struct RawValues<TestModule> {
    static constexpr std::array<std::pair<TestModule, std::string_view>, 8> table{{
        {TestModule::cpuBenchmark, "cpu"},
        {TestModule::gpuBenchmark, "gpu"},
        {TestModule::ramTest, "ram"},
        {TestModule::display, "display"},
        {TestModule::audio, "audio"},
        {TestModule::micCamera, "mic_camera"},
        {TestModule::battery, "battery"},
        {TestModule::input, "input"},
    }};
};

// The key of a module in a stored session's per-step maps: its raw value.
constexpr std::string_view stepID(TestModule module) { return rawValue(module); }

// How a planned module ended, or where it stands.
enum class ModuleStatus { pending, running, passed, failed, skipped, cancelled, bypassed };

template <> struct RawValues<ModuleStatus> {
    static constexpr std::array<std::pair<ModuleStatus, std::string_view>, 7> table{{
        {ModuleStatus::pending, "pending"},
        {ModuleStatus::running, "running"},
        {ModuleStatus::passed, "passed"},
        {ModuleStatus::failed, "failed"},
        {ModuleStatus::skipped, "skipped"},
        {ModuleStatus::cancelled, "cancelled"},
        {ModuleStatus::bypassed, "bypassed"},
    }};
};

// Which speaker the speaker station plays on.
enum class AudioChannel { left, right, both };

// The phase the keyboard and touchpad station is in.
enum class KeyboardTestPhase { typing, keySequence, touchpad };

} // namespace zantiva
