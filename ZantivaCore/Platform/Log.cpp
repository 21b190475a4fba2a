#include "Platform/Log.h"

#include <mutex>
#include <string>
#include <syslog.h>
#include <unistd.h>

#include "Platform/DescriptorIO.h"

namespace zantiva::log {
namespace {

void write(int priority, std::string_view category, std::string_view message) {
    static std::once_flag opened;
    std::call_once(opened, [] { openlog("zantiva-diagnostics", LOG_PID, LOG_USER); });
    const std::string line = "[" + std::string(category) + "] " + std::string(message);
    syslog(priority, "%s", line.c_str());
}

// Also to standard error, where a terminal, a cron mail or the session's log shows it on
// machines that keep no system log.
void writeAlsoToStandardError(int priority, std::string_view category, std::string_view message) {
    write(priority, category, message);
    const std::string line = "zantiva-diagnostics: [" + std::string(category) + "] " + std::string(message) + "\n";
    [[maybe_unused]] const auto written = writeAll(STDERR_FILENO, line);
}

} // namespace

void info(std::string_view category, std::string_view message) { write(LOG_INFO, category, message); }
void notice(std::string_view category, std::string_view message) {
    writeAlsoToStandardError(LOG_NOTICE, category, message);
}
void error(std::string_view category, std::string_view message) { writeAlsoToStandardError(LOG_ERR, category, message); }

} // namespace zantiva::log
