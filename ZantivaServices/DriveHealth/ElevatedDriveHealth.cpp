#include "DriveHealth/ElevatedDriveHealth.h"

#include <string_view>
#include <unistd.h>

#include "DriveHealth/DriveHealthProtocol.h"
#include "Platform/BoundedProcess.h"
#include "Platform/ProgramFolder.h"

namespace zantiva {

namespace {

constexpr const char* pkexec = "/usr/bin/pkexec";
constexpr std::chrono::minutes questionLimit{2};
// pkexec's ends when the person dismissed the question, and when the rights weren't had:
// refused (a wrong password, or a policy that says no), or nobody could be asked (no
// agent, no polkit, no program to run). Only its standard error tells those apart.
constexpr int pkexecDismissed = 126;
constexpr int pkexecNotAllowed = 127;
constexpr std::string_view pkexecRefused = "\nError executing command as another user: Not authorized\n";
// Far more than any of pkexec's own lines.
constexpr std::size_t errorLimit = 4096;

// Whether pkexec's line saying the rights were refused stands whole among what it printed.
bool saysRefused(const std::string& errors) { return ("\n" + errors).find(pkexecRefused) != std::string::npos; }

ElevatedReadEnd endOf(const BoundedProcessResult& run) {
    if (run.cancelled) return ElevatedReadEnd::stopped;
    if (run.readFailed) return ElevatedReadEnd::failed;
    // Past the limit only a question still open is declined: a program that has started was
    // given the rights, and its read failed.
    if (run.timedOut)
        return run.output.starts_with(DriveHealthProtocol::startLine) ? ElevatedReadEnd::failed
                                                                       : ElevatedReadEnd::declined;
    if (run.exitStatus == pkexecDismissed) return ElevatedReadEnd::declined;
    if (run.exitStatus == pkexecNotAllowed)
        return saysRefused(run.errors) ? ElevatedReadEnd::declined : ElevatedReadEnd::nobodyToAsk;
    return ElevatedReadEnd::failed;
}

} // namespace

ElevatedDriveReading readDriveThroughProgram(const std::vector<std::string>& launcher,
                                             const std::filesystem::path& program, const std::string& drive,
                                             std::chrono::milliseconds timeout, const CancelToken& cancel) {
    if (DriveHealthProtocol::driveNameProblem(drive)) return {.end = ElevatedReadEnd::failed, .reading = {}};
    if (::access(program.c_str(), X_OK) != 0) return {.end = ElevatedReadEnd::nobodyToAsk, .reading = {}};
    std::vector<std::string> command = launcher;
    command.push_back(program.string());
    command.push_back(drive);
    // One byte over the limit tells an answer that was cut from one that fits.
    const auto run = runBoundedProcess(command, timeout, DriveHealthProtocol::maxAnswerBytes + 1, cancel, errorLimit);
    if (!run) return {.end = ElevatedReadEnd::nobodyToAsk, .reading = {}};
    if (!run->succeeded()) return {.end = endOf(*run), .reading = {}};
    const auto reading = DriveHealthProtocol::decodeAnswer(run->output);
    if (!reading) return {.end = ElevatedReadEnd::failed, .reading = {}};
    return {.end = ElevatedReadEnd::read, .reading = *reading};
}

ElevatedDriveReading readDriveWithAdministratorRights(const std::string& drive, const CancelToken& cancel) {
    if (::access(pkexec, X_OK) != 0) return {.end = ElevatedReadEnd::nobodyToAsk, .reading = {}};
    return readDriveThroughProgram({pkexec, "--disable-internal-agent"},
                                   besideThisProgram(DriveHealthProtocol::programName), drive, questionLimit, cancel);
}

} // namespace zantiva
