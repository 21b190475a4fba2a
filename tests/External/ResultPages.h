#pragma once

// Result pages as the loopback server serves them to the reader, and what the tests share
// around them.

#include <cstdlib>
#include <optional>
#include <string>

#include <QByteArray>
#include <QString>

#include "Support/LoopbackServer.h"

namespace zantiva::testing {

// Two score cells of a CPU result with their labels, as the result page lays them out.
inline const QByteArray cpuCells = R"(<div class="score">2,345</div><div class="note">Single-Core Score</div>
<div class="score">10,234</div><div class="note">Multi-Core Score</div>)";
inline const QByteArray gpuCells = R"(<div class="score">98,765</div><div class="note">OpenCL Score</div>)";
// Cells whose label makes no score: the page of a site that still checks for a person.
inline const QByteArray unusableCells = R"(<div class="score">5</div><div class="note">Rank</div>)";

inline CannedReply htmlPage(const QByteArray& body) {
    return {200, "<!doctype html><html><body>" + body + "</body></html>",
            {{"Content-Type", "text/html; charset=utf-8"}}};
}

// The address of a path on the loopback server.
inline QString pageAddress(const LoopbackServer& server, const QString& path) {
    return server.baseURL().resolved(QUrl(path)).toString();
}

// Sets (or, given nothing, removes) an environment variable until the end of the scope.
class EnvironmentChange {
public:
    EnvironmentChange(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~EnvironmentChange() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvironmentChange(const EnvironmentChange&) = delete;
    EnvironmentChange& operator=(const EnvironmentChange&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace zantiva::testing
