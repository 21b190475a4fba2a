#include "External/ProcessLauncher.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

#include <QProcess>
#include <QCoro/QCoroProcess>

#include "Platform/CancelToken.h"
#include "External/OutputLineSplitter.h"

namespace zantiva {

QCoro::Task<ProcessExit> ProcessLauncher::run(ProcessRequest request, LineHandler onLine, std::stop_token stop) {
    if (stop.stop_requested()) throw CancellationError();

    QProcess process;
    process.setProgram(QString::fromStdString(request.program.string()));
    QStringList arguments;
    for (const std::string& argument : request.arguments) arguments << QString::fromStdString(argument);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { ::setpgid(0, 0); });

    OutputLineSplitter out, err;
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&] { out.feed(process.readAllStandardOutput().toStdString(), onLine); });
    QObject::connect(&process, &QProcess::readyReadStandardError,
                     [&] { err.feed(process.readAllStandardError().toStdString(), onLine); });

    // Waiting for the start blocks only until exec() has run in the child; QCoro's
    // asynchronous wait never returns when the start fails at once.
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) throw ProcessLaunchError(process.errorString().toStdString());

    // The child's pid is its group's id. Never 0 here: kill(0) would signal our own group.
    const pid_t group = static_cast<pid_t>(process.processId());
    const auto killGroup = [group] {
        if (group > 0) ::kill(-group, SIGKILL);
    };
    std::atomic<bool> stopped = false;
    {
        // Runs at once when a stop was requested while starting; kill() is safe from any thread.
        std::stop_callback onStop(stop, [&] {
            stopped = true;
            killGroup();
        });
        if (process.state() != QProcess::NotRunning) co_await qCoro(process).waitForFinished(-1);
    }
    killGroup(); // anything the tool left behind in its group

    out.feed(process.readAllStandardOutput().toStdString(), onLine);
    err.feed(process.readAllStandardError().toStdString(), onLine);
    out.finish(onLine);
    err.finish(onLine);

    if (stopped) throw CancellationError();
    ProcessExit exit;
    exit.crashed = process.exitStatus() == QProcess::CrashExit;
    exit.exitCode = exit.crashed ? 128 + process.exitCode() : process.exitCode();
    co_return exit;
}

} // namespace zantiva
