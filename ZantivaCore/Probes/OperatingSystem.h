#pragma once

#include <optional>
#include <string>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// "Fedora Linux 40 (Workstation Edition) (Linux 6.8.9-300.fc40.x86_64)": the
// distribution's own name from os-release, then the kernel release.
std::string operatingSystemName(const ProbeRoot& root);

// The processor architecture the kernel runs ("x86_64", "aarch64").
std::optional<std::string> kernelArchitecture(const ProbeRoot& root);

} // namespace zantiva
