// zantiva-drive-health: reads the health of one drive and ends. The program starts it
// through pkexec, as root, when the drive's health sources turn the user away; so it takes
// nothing but the drive's name, checked before anything is read, runs no shell, reads only
// that drive's /sys/block entry, its NVMe controller's health log and smartctl's verdict,
// and is bounded in time and output (DriveHealth/DriveHealthProtocol.h).

#include <chrono>
#include <csignal>
#include <exception>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

#include "DriveHealth/DriveHealthProtocol.h"
#include "DriveHealthProgram/DriveSources.h"
#include "Platform/DescriptorIO.h"
#include "Probes/InternalDrives.h"
#include "Probes/NvmeAdminCommand.h"
#include "Probes/ProbeRoot.h"
#include "Probes/SmartctlVerdict.h"

namespace {

using namespace zantiva;

// smartctl's own bound and the NVMe command's, with room to spare; past it the kernel ends
// the program, whatever it is waiting for.
constexpr unsigned runLimitSeconds = 20;
constexpr std::chrono::seconds smartctlLimit{5};

int refuse(const std::string& why) {
    writeAll(STDERR_FILENO, std::string(DriveHealthProtocol::programName) + ": " + why + "\n");
    return DriveHealthProtocol::argumentRefused;
}

DriveHealthReading readDrive(const ProbeRoot& root, const std::string& name) {
    DriveHealthReading reading;
    if (name.starts_with("nvme")) {
        const std::string controller = nvmeControllerOf(name, root.resolved("/sys/block/" + name));
        if (numberAfter(controller, "nvme")) reading.nvmeLog = readNvmeHealthLog(root.at("/dev/" + controller)).value;
    }
    // smartctl, and whatever it starts, ends with this program, whether its parent's end, its
    // alarm or a kill ends it: the bounded run keeps smartctl's group and ends it then.
    reading.verdict =
        DriveHealthReader::systemVerdict(DriveSources::verdictCommand(root.at("/dev/" + name)), smartctlLimit);
    return reading;
}

} // namespace

int main(int argc, char** argv) {
    // Ends with the program that asked, and never outlives its bound.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::alarm(runLimitSeconds);
    try {
        if (argc != 2) return refuse("takes one argument, the name of a drive as /sys/block lists it");
        const std::string name = argv[1];
        if (const auto problem = DriveHealthProtocol::driveNameProblem(name)) return refuse(*problem);
        const ProbeRoot root = DriveSources::machineRoot();
        if (!root.exists("/sys/block/" + name)) return refuse("/sys/block lists no drive of that name");
        writeAll(STDOUT_FILENO, DriveHealthProtocol::startLine);
        writeAll(STDOUT_FILENO, DriveHealthProtocol::encodeReading(readDrive(root, name)));
        return 0;
    } catch (const std::exception& error) {
        writeAll(STDERR_FILENO, std::string(DriveHealthProtocol::programName) + ": " + error.what() + "\n");
        return 1;
    }
}
