#pragma once

// One laptop's inventory with every field filled, for tests that need a machine but not a
// particular one.

#include "Model/SystemSpecs.h"

namespace zantiva::testing {

inline SystemSpecs sampleLaptopSpecs() {
    SystemSpecs s;
    s.manufacturer = "Framework";
    s.model = "Laptop 13";
    s.modelIdentifier = "FRANMDCP07";
    s.operatingSystem = "Debian GNU/Linux 12";
    s.architecture = "x86_64";
    s.cpuName = "Intel Core Ultra 7 155H";
    s.cpuCores = 16;
    s.cpuThreads = 22;
    s.coreClusters = {{"Performance", 6}, {"Efficiency", 10}};
    s.cpuMaxClockGHz = 4.8;
    s.ramCapacityGB = 31.3;
    s.ramSpeedMHz = 5600;
    s.ramType = "DDR5";
    s.ramModuleCount = 2;
    s.gpuName = "Mesa Intel Arc Graphics";
    s.gpuCoreCount = 128;
    s.gpuMemoryGB = 0.5;
    s.hasUnifiedMemory = true;
    s.metalVersion = "OpenGL ES 3.2";
    s.storageDevices = {{"WD_BLACK SN850X", 2000.4, "SSD", "NVMe", true}, {"USB stick", 64, "Flash", "USB", false}};
    s.motherboardManufacturer = "Framework";
    s.motherboardModel = "FRANMDCP07";
    s.displayResolution = "2880 x 1920";
    s.displayRefreshRateHz = 120;
    s.firmwareVersion = "03.03";
    return s;
}

} // namespace zantiva::testing
