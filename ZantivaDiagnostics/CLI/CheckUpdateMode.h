#pragma once

#include "Account/SiteProfile.h"
#include "Account/UpdateChecker.h"
#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// "--check-update": asks the site of the saved interface language for the latest release
// and prints whether it is newer than the running version.
int runCheckUpdateMode(const CommandLine& commandLine, CliContext& context);

// The mode's work against a given site and checker; 1 after "failed: …".
int runCheckUpdate(CliContext& context, const SiteProfile& site, const UpdateChecker& checker);

} // namespace zantiva
