#include "Probes/SystemProbe.h"

#include "Probes/BlockDevices.h"
#include "Probes/CpuTopology.h"
#include "Probes/DmiIdentity.h"
#include "Probes/GraphicsDevice.h"
#include "Probes/InstalledMemory.h"
#include "Probes/MainDisplay.h"
#include "Probes/MemoryModules.h"
#include "Probes/OperatingSystem.h"

namespace zantiva {

SystemSpecs SystemProbe::readSpecs(const ProbeOptions& options) {
    const ProbeRoot& root = options.root;
    SystemSpecs specs;
    auto set = [](std::string& field, const std::optional<std::string>& value) {
        if (value) field = *value;
    };

    const DmiIdentity dmi = DmiIdentity::read(root);
    set(specs.manufacturer, dmi.manufacturer);
    set(specs.modelIdentifier, dmi.modelIdentifier);
    set(specs.model, dmi.model);
    set(specs.firmwareVersion, dmi.firmwareVersion);
    set(specs.motherboardManufacturer, dmi.boardManufacturer);
    set(specs.motherboardModel, dmi.boardModel);
    set(specs.architecture, kernelArchitecture(root));
    specs.operatingSystem = operatingSystemName(root);

    const CpuTopology cpu = CpuTopology::read(root);
    set(specs.cpuName, cpu.name);
    specs.cpuCores = cpu.cores;
    specs.cpuThreads = cpu.threads;
    specs.coreClusters = cpu.clusters;
    specs.cpuMaxClockGHz = cpu.maxClockGHz;

    specs.ramCapacityGB = static_cast<double>(installedMemoryBytes(root)) / (1024.0 * 1024.0 * 1024.0);
    const auto command = options.memoryPropertiesCommand.empty() ? MemoryModules::defaultCommand()
                                                                 : options.memoryPropertiesCommand;
    const MemoryModules modules = MemoryModules::read(command, options.toolTimeout);
    set(specs.ramType, modules.type);
    specs.ramSpeedMHz = modules.speedMTs;
    specs.ramModuleCount = modules.count;

    if (auto gpu = GraphicsDevice::read(root)) {
        set(specs.gpuName, gpu->name);
        specs.gpuMemoryGB = gpu->memoryGB;
        specs.hasUnifiedMemory = gpu->unifiedMemory;
    }
    if (specs.architecture == "aarch64") specs.hasUnifiedMemory = true;

    specs.storageDevices = readBlockDevices(root);

    if (auto display = MainDisplay::read(root)) {
        specs.displayResolution = display->resolution;
        specs.displayRefreshRateHz = display->refreshRateHz;
    }
    return specs;
}

} // namespace zantiva
