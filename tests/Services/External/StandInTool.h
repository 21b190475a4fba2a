#pragma once

// Stand-ins for the tools that open disk images.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva::testing {

// A stand-in for a tool first on the search path, whether or not the machine has the real
// one. It runs the given shell script.
class StandInTool {
public:
    StandInTool(const std::string& name, const std::string& script) {
        std::ofstream(folder / name) << "#!/bin/sh\n" << script;
        std::filesystem::permissions(folder / name, std::filesystem::perms(0755));
    }

private:
    testing::TemporaryFolder folder;
    testing::EnvironmentChange path{"PATH",
                                    folder.path().string() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "")};
};

// udisksctl's: its daemon needs a system bus.
class FakeUdisksctl : public StandInTool {
public:
    explicit FakeUdisksctl(const std::string& script) : StandInTool("udisksctl", script) {}
    // "status" exits with the given code; every other command fails as udisksctl does without
    // its daemon.
    explicit FakeUdisksctl(int statusExit)
        : FakeUdisksctl("[ \"$1\" = status ] && exit " + std::to_string(statusExit) +
                        "\necho 'Error connecting to the udisks daemon' >&2\nexit 1\n") {}
};

} // namespace zantiva::testing
