#pragma once

// Result pages as the loopback server serves them to the reader, and what the tests share
// around them.

#include <QByteArray>
#include <QString>

#include "Support/EnvironmentChange.h"
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

} // namespace zantiva::testing
