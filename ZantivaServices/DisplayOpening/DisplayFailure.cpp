#include "DisplayOpening/DisplayFailure.h"

#include <QString>
#include <QtGlobal>
#include <unistd.h>

namespace zantiva {
namespace {

std::function<void()> failureAction;
int failureStatus = 1;
QtMessageHandler previousHandler = nullptr;

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        failureAction();
        ::_exit(failureStatus);
    }
    // Qt hands back its own default handler when none was installed before.
    previousHandler(type, context, message);
}

} // namespace

DisplayFailure::DisplayFailure(std::function<void()> onFailure, int status) {
    failureAction = std::move(onFailure);
    failureStatus = status;
    previousHandler = qInstallMessageHandler(handle);
}

DisplayFailure::~DisplayFailure() {
    qInstallMessageHandler(previousHandler);
    failureAction = nullptr;
}

} // namespace zantiva
