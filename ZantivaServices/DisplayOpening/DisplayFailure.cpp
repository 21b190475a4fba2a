#include "DisplayOpening/DisplayFailure.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
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
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    // Qt's own handler can't be called by name: its format, on standard error.
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
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
