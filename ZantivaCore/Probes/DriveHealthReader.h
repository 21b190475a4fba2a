#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "Model/DriveHealthReport.h"
#include "Platform/CancelToken.h"
#include "Probes/DriveHealthEvaluation.h"
#include "Probes/DriveHealthReading.h"
#include "Probes/NvmeHealthLog.h"
#include "Probes/ProbeRoot.h"
#include "Probes/SmartctlVerdict.h"

namespace zantiva {

// Where the drive health reader looks, the two sources it asks per drive, and who reads a
// drive for it when those sources turn this user away.
struct DriveHealthOptions {
    ProbeRoot root;
    // The raw health log of an NVMe controller ("nvme0"); unset: the admin command on its
    // device node under the root.
    std::function<HealthSourceAnswer<std::vector<std::uint8_t>>(const std::string& controller)> healthLog;
    // A drive's ("sda") SMART verdict; unset: smartctl on its device node under the root,
    // when smartctl is installed.
    std::function<HealthSourceAnswer<bool>(const std::string& drive)> verdict;
    // Reads one drive ("nvme0n1") with administrator rights, saying how that ended. Asked
    // only for a drive whose own sources were refused for lack of rights, and not again in the
    // same reading once the question was declined or nobody could be asked: the later drives
    // keep that end as their reason (a failed read speaks only for its own drive). Unset:
    // nobody is asked, and such a drive says nobody could be.
    // Ends at once, as stopped, when the reading's cancel token is set.
    std::function<ElevatedDriveReading(const std::string& drive, const CancelToken& cancel)> withAdministratorRights;
    // Whether this process has the rights already: a source refused to it is refused by the
    // system itself (a container's device policy), nobody is asked, and the drive says it
    // couldn't be read here.
    bool runsAsRoot = ::geteuid() == 0;
    std::chrono::milliseconds toolTimeout{5000};
};

// Reads the health of every internal drive once: the NVMe health log where there is one,
// the drive's SMART verdict, and from both its findings and status. Blocking (one bounded
// smartctl run per drive, and the question for rights when it is asked); never throws. A
// drive that gave neither is "unknown" with no findings, with the reason when its sources
// were refused. Drives in natural order of their names. Once `cancel` is set (the run that
// reads is stopped, or the program quits) a smartctl run still going is ended, no further
// drive's sources are read, nobody is asked any more and a question still open is
// withdrawn; the drives left unread stay unknown without a claim about rights, as they were
// never answered for. When /sys/block itself can't be read, the report lists no drive and
// says why (listingError): it never claims there are none.
namespace DriveHealthReader {
DriveHealthReport read(const DriveHealthOptions& options = {}, const CancelToken& cancel = {});
}

} // namespace zantiva
