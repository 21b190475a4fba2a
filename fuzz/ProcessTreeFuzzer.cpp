// The process-tree reader of the tool guard and the page reader over any procfs: the input
// holds, NUL-separated, the stat and status files of processes 1, 2, 3 … in turn. The
// descendants of process 1 are processes of the tree, each once, never 1 itself (a parent
// link that loops, as a reused pid may show, must not make the reader run on), and a
// process's own memory is whole kibibytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzTree.h"
#include "Platform/ProcessTree.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr int files = 16;
    const FuzzTree tree;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    int written = 0;
    for (; written < files; ++written) {
        const auto end = rest.find('\0');
        const std::string pid = std::to_string(1 + written / 2);
        tree.put("/proc/" + pid + (written % 2 == 0 ? "/stat" : "/status"), rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    const auto proc = tree.root() / "proc";
    const int processes = 1 + written / 2;
    const auto descendants = descendantsOf(1, proc).value_or(std::vector<pid_t>{});
    const std::set<pid_t> distinct(descendants.begin(), descendants.end());
    FUZZ_CHECK(distinct.size() == descendants.size());
    FUZZ_CHECK(std::ranges::all_of(descendants, [&](pid_t pid) { return pid > 1 && pid <= processes; }));
    for (pid_t pid = 1; pid <= processes; ++pid) FUZZ_CHECK(ownMemoryOf(pid, proc).value_or(0) % 1024 == 0);
    return 0;
}
