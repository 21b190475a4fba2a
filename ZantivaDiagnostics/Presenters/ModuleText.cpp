#include "Presenters/ModuleText.h"

namespace zantiva::ModuleText {
namespace {

std::string_view namePart(TestModule module) {
    switch (module) {
    case TestModule::cpuBenchmark: return "CpuBenchmark";
    case TestModule::gpuBenchmark: return "GpuBenchmark";
    case TestModule::ramTest: return "RamTest";
    case TestModule::display: return "Display";
    case TestModule::audio: return "Audio";
    case TestModule::micCamera: return "MicCamera";
    case TestModule::battery: return "Battery";
    case TestModule::input: return "Input";
    }
    return "CpuBenchmark";
}

} // namespace

std::string titleKey(TestModule module) { return "Module." + std::string(namePart(module)) + ".Title"; }

std::string subtitleKey(TestModule module) { return "Module." + std::string(namePart(module)) + ".Subtitle"; }

std::string statusKey(ModuleStatus status) {
    std::string name(rawValue(status));
    name.front() = static_cast<char>(name.front() - 'a' + 'A');
    return "Status." + name;
}

} // namespace zantiva::ModuleText
