#include "DriveHealth/ElevatedDriveHealth.h"

#include <unistd.h>

#include "DriveHealth/DriveHealthProtocol.h"
#include "Platform/BoundedProcess.h"
#include "Platform/ProgramFolder.h"

namespace zantiva {

namespace {

constexpr const char* pkexec = "/usr/bin/pkexec";
constexpr std::chrono::minutes questionLimit{2};

} // namespace

std::optional<DriveHealthReading> readDriveThroughProgram(const std::vector<std::string>& launcher,
                                                          const std::filesystem::path& program,
                                                          const std::string& drive,
                                                          std::chrono::milliseconds timeout,
                                                          const CancelToken& cancel) {
    if (DriveHealthProtocol::driveNameProblem(drive)) return std::nullopt;
    std::vector<std::string> command = launcher;
    command.push_back(program.string());
    command.push_back(drive);
    // One byte over the limit tells an answer that was cut from one that fits.
    const auto run = runBoundedProcess(command, timeout, DriveHealthProtocol::maxAnswerBytes + 1, cancel);
    if (!run || !run->succeeded()) return std::nullopt;
    return DriveHealthProtocol::decodeReading(run->output);
}

std::optional<DriveHealthReading> readDriveWithAdministratorRights(const std::string& drive,
                                                                   const CancelToken& cancel) {
    if (::access(pkexec, X_OK) != 0) return std::nullopt;
    return readDriveThroughProgram({pkexec, "--disable-internal-agent"},
                                   besideThisProgram(DriveHealthProtocol::programName), drive, questionLimit, cancel);
}

} // namespace zantiva
