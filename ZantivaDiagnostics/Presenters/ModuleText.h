#pragma once

#include <string>

#include "Model/TestModule.h"

namespace zantiva {

// The message keys that name a test module and a module's status, shared by the suite
// screen, the station pages and the results screen.
namespace ModuleText {

// "Module.CpuBenchmark.Title" …: the name part is the module's own, not its stored id.
std::string titleKey(TestModule module);
std::string subtitleKey(TestModule module);
// "Status.Pending" … "Status.Bypassed".
std::string statusKey(ModuleStatus status);

} // namespace ModuleText

} // namespace zantiva
