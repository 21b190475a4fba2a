#include "External/ProcessLauncher.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QCoro/QCoroProcess>

#include "Platform/CancelToken.h"
#include "Platform/FileDescriptor.h"
#include "Platform/ProgramFolder.h"
#include "External/OutputLineSplitter.h"
#include "ToolGuard/GuardProtocol.h"

namespace zantiva {
namespace {

// Why the guard could not start the tool, from its report; absent when it started.
std::optional<std::string> launchFailure(int report) {
    char digits[16];
    const ssize_t length = ::read(report, digits, sizeof digits);
    if (length <= 0) return std::nullopt;
    int error = 0;
    const auto parsed = std::from_chars(digits, digits + length, error);
    if (parsed.ec != std::errc{} || error <= 0) return std::nullopt;
    return std::generic_category().message(error);
}

// The guard's argument list as bytes. QProcess takes its program and arguments as text, in
// which a path's byte that isn't UTF-8 would become U+FFFD and name another file: the child
// runs this list itself.
struct GuardCommand {
    std::vector<std::string> words;
    std::vector<char*> argv;

    GuardCommand(const std::filesystem::path& guard, const ProcessRequest& request)
        : words{guard.string(), std::to_string(::getpid()), request.program.string()} {
        words.insert(words.end(), request.arguments.begin(), request.arguments.end());
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
    }
    GuardCommand(const GuardCommand&) = delete; // argv points into words
    GuardCommand& operator=(const GuardCommand&) = delete;
};

// Sets the process up to run the guard, which starts the requested program and tells of a
// failed start on the report descriptor; so does the child when the guard itself can't start.
void startUnderGuard(QProcess& process, const std::filesystem::path& guard, const ProcessRequest& request,
                     int reportWriter) {
    // Only a name for QProcess's own messages: the child never returns to run it.
    process.setProgram(QFile::decodeName(QByteArray::fromStdString(guard.string())));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([reportWriter, command = std::make_shared<const GuardCommand>(guard, request)] {
        // A group of its own: signals meant for this program's group (Ctrl+C) don't reach it.
        ::setpgid(0, 0);
        if (reportWriter == toolguard::reportDescriptor)
            ::fcntl(reportWriter, F_SETFD, 0);
        else
            ::dup2(reportWriter, toolguard::reportDescriptor);
        ::execv(command->argv[0], command->argv.data());
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, errno).ptr;
        [[maybe_unused]] const auto written = ::write(toolguard::reportDescriptor, digits, end - digits);
        ::_exit(127);
    });
}

} // namespace

ProcessLauncher::ProcessLauncher(std::filesystem::path guard) : guard_(std::move(guard)) {}

std::filesystem::path ProcessLauncher::installedGuard() { return besideThisProgram(toolguard::programName); }

QCoro::Task<ProcessExit> ProcessLauncher::run(ProcessRequest request, LineHandler onLine, std::stop_token stop) {
    if (stop.stop_requested()) throw CancellationError();

    int reportEnds[2];
    if (::pipe2(reportEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw ProcessLaunchError(std::generic_category().message(errno));
    FileDescriptor report(reportEnds[0]);
    FileDescriptor reportWriter(reportEnds[1]);

    QProcess process;
    startUnderGuard(process, guard_, request, reportWriter.get());

    OutputLineSplitter out, err;
    const auto feed = [&onLine](OutputLineSplitter& splitter, const QByteArray& bytes) {
        splitter.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), onLine);
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&] { feed(out, process.readAllStandardOutput()); });
    QObject::connect(&process, &QProcess::readyReadStandardError, [&] { feed(err, process.readAllStandardError()); });

    // Waiting for the start blocks only until exec() has run in the child; QCoro's
    // asynchronous wait never returns when the start fails at once.
    process.start(QIODevice::ReadOnly);
    reportWriter.reset();
    if (!process.waitForStarted(-1)) throw ProcessLaunchError(process.errorString().toStdString());

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

    feed(out, process.readAllStandardOutput());
    feed(err, process.readAllStandardError());
    const bool endedWell = !stopped && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const LineHandler& onLastLine = endedWell || !request.onCutLine ? onLine : request.onCutLine;
    out.finish(onLastLine);
    err.finish(onLastLine);

    if (stopped) throw CancellationError();
    if (auto failure = launchFailure(report.get())) throw ProcessLaunchError(*failure);
    ProcessExit exit;
    exit.crashed = process.exitStatus() == QProcess::CrashExit;
    exit.exitCode = exit.crashed ? 128 + process.exitCode() : process.exitCode();
    co_return exit;
}

} // namespace zantiva
