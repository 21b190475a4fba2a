#pragma once

// An xdg-open of the test's own, first on PATH until the end of the scope. Each call notes
// its arguments as one line ("[first][second]…") and its process id, then runs the given
// end of a shell script ("exit 3", "sleep 2").

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../Support/EnvironmentChange.h"
#include "../Support/TemporaryFolder.h"

namespace zantiva::testing {

class StandInOpener {
public:
    explicit StandInOpener(const std::string& ending) {
        const std::string script = "#!/bin/sh\necho $$ >'" + (folder_ / "pid").string() +
                                   "'\nfor a; do printf '[%s]' \"$a\"; done >>'" + (folder_ / "calls").string() +
                                   "'\necho >>'" + (folder_ / "calls").string() + "'\n" + ending + "\n";
        writeRaw(folder_ / "xdg-open", script);
        ::chmod((folder_ / "xdg-open").c_str(), 0755);
    }

    // One line per call, in order.
    std::vector<std::string> calls() const {
        std::ifstream file(folder_ / "calls");
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    // The last call's process.
    pid_t pid() const {
        pid_t pid = 0;
        std::ifstream(folder_ / "pid") >> pid;
        return pid;
    }

private:
    TemporaryFolder folder_;
    EnvironmentChange path_{"PATH", folder_.path().string() + ":" + std::getenv("PATH")};
};

} // namespace zantiva::testing
