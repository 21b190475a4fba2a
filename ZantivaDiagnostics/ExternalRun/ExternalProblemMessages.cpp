#include "ExternalRun/ExternalProblemMessages.h"

#include <string>

#include <QString>
#include <QSysInfo>

namespace zantiva {

LocalizedMessage problemMessage(const ExternalBenchmarkLocatorError& error) {
    const std::string expected(displayName(error.expected()));
    switch (error.kind()) {
    case ExternalBenchmarkLocatorError::Kind::notThisApp:
        return LocalizedMessage("External.NotThisApp", error.text(), expected);
    case ExternalBenchmarkLocatorError::Kind::wrongVersion:
        return LocalizedMessage("External.WrongVersion", error.text(), expected);
    case ExternalBenchmarkLocatorError::Kind::noCommandLineTool:
        return LocalizedMessage("External.NoCommandLineTool", error.text());
    case ExternalBenchmarkLocatorError::Kind::notExecutable:
        return LocalizedMessage("External.NotExecutable", error.text());
    case ExternalBenchmarkLocatorError::Kind::notOnDiskImage:
        return LocalizedMessage("External.NotOnImage", error.text(), expected);
    }
    return LocalizedMessage("External.NotExecutable", error.text());
}

LocalizedMessage problemMessage(const ExternalBenchmarkError& error) {
    switch (error.kind()) {
    case ExternalBenchmarkError::Kind::couldNotLaunch:
        return LocalizedMessage("ExtRun.CouldNotLaunch", error.name(), error.reason());
    case ExternalBenchmarkError::Kind::exited:
        return LocalizedMessage("ExtRun.Exited", error.name(), error.code(), error.output());
    case ExternalBenchmarkError::Kind::noScore: return LocalizedMessage("ExtRun.NoScoreLine", error.name(), error.output());
    case ExternalBenchmarkError::Kind::unsupportedSystem:
        return LocalizedMessage("ExtRun.UnsupportedSystem", error.name(), QSysInfo::prettyProductName().toStdString());
    case ExternalBenchmarkError::Kind::geekbenchUploadFailed:
        return LocalizedMessage("ExtRun.GeekbenchUploadFailed.Body", error.detail());
    case ExternalBenchmarkError::Kind::geekbenchScoreUnreadable:
        return LocalizedMessage("ExtRun.GeekbenchSaved.Body", error.url());
    case ExternalBenchmarkError::Kind::geekbenchLinkNotSaved:
        return LocalizedMessage("ExtRun.GeekbenchNotSaved.Body", error.url(), error.notSaved().reason);
    }
    return LocalizedMessage("ExtRun.Error", std::string(error.what()));
}

} // namespace zantiva
