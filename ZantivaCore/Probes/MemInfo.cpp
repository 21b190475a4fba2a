#include "Probes/MemInfo.h"

#include <map>
#include <sstream>
#include <string>

namespace zantiva {

MemInfo MemInfo::read(const ProbeRoot& root) {
    std::map<std::string, std::uint64_t> kib;
    if (auto text = root.bytes("/proc/meminfo")) {
        std::istringstream in(*text);
        std::string key;
        std::uint64_t value = 0;
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            if (fields >> key >> value && !key.empty() && key.back() == ':') kib[key.substr(0, key.size() - 1)] = value;
        }
    }
    auto get = [&](const char* key) { auto it = kib.find(key); return it == kib.end() ? 0 : it->second; };
    MemInfo m;
    m.totalBytes = get("MemTotal") * 1024;
    m.availableBytes = kib.count("MemAvailable") ? get("MemAvailable") * 1024
                                                 : (get("MemFree") + get("Buffers") + get("Cached")) * 1024;
    return m;
}

} // namespace zantiva
