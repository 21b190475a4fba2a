#include "External/ProcessLauncher.h"

#include <atomic>
#include <csignal>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <QProcess>
#include <QCoro/QCoroProcess>

#include "Platform/CancelToken.h"
#include "Platform/ProgramFolder.h"
#include "External/OutputLineSplitter.h"
#include "ProcessStart/ByteCommand.h"
#include "ToolGuard/GuardProtocol.h"

namespace zantiva {

ProcessLauncher::ProcessLauncher(std::filesystem::path guard) : guard_(std::move(guard)) {}

std::filesystem::path ProcessLauncher::installedGuard() { return besideThisProgram(toolguard::programName); }

QCoro::Task<ProcessExit> ProcessLauncher::run(ProcessRequest request, LineHandler onLine, std::stop_token stop) {
    if (stop.stop_requested()) throw CancellationError();

    std::vector<std::string> words{guard_.string(), std::to_string(::getpid()), request.program.string()};
    words.insert(words.end(), request.arguments.begin(), request.arguments.end());
    ByteCommand command(std::move(words));

    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    OutputLineSplitter out, err;
    const LineHandler& onErrorLine = request.onErrorLine ? request.onErrorLine : onLine;
    const auto feed = [](OutputLineSplitter& splitter, const QByteArray& bytes, const LineHandler& handler) {
        splitter.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), handler);
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&] { feed(out, process.readAllStandardOutput(), onLine); });
    QObject::connect(&process, &QProcess::readyReadStandardError,
                     [&] { feed(err, process.readAllStandardError(), onErrorLine); });

    // The guard starts the requested program and tells of a failed start on the same report.
    // A group of its own: signals meant for this program's group (Ctrl+C) don't reach it.
    const auto ownGroup = [] { ::setpgid(0, 0); };
    if (auto failure = command.start(process, QIODevice::ReadOnly, ownGroup, toolguard::reportDescriptor))
        throw ProcessLaunchError(*failure);

    const pid_t guard = static_cast<pid_t>(process.processId());
    std::atomic<bool> stopped = false;
    {
        // Runs at once when a stop was requested while starting; kill() is safe from any
        // thread. The guard kills the tool and all below it, then ends.
        std::stop_callback onStop(stop, [&] {
            stopped = true;
            if (guard > 0) ::kill(guard, SIGTERM);
        });
        if (process.state() != QProcess::NotRunning) co_await qCoro(process).waitForFinished(-1);
    }

    feed(out, process.readAllStandardOutput(), onLine);
    feed(err, process.readAllStandardError(), onErrorLine);
    const bool endedWell = !stopped && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const bool cut = !endedWell && request.onCutLine;
    out.finish(cut ? request.onCutLine : onLine);
    err.finish(cut ? request.onCutLine : onErrorLine);

    if (stopped) throw CancellationError();
    if (auto failure = command.startFailure()) throw ProcessLaunchError(*failure);
    ProcessExit exit;
    exit.crashed = process.exitStatus() == QProcess::CrashExit;
    exit.exitCode = exit.crashed ? 128 + process.exitCode() : process.exitCode();
    co_return exit;
}

} // namespace zantiva
