#include "Terminal.h"

#include <QFile>

#include "../Support/AwaitTask.h"

namespace zantiva::testing {

Terminal::Terminal(Desktop& desktop, const QStringList& options) {
    process_.start("xterm", QStringList(options) << "-e" << "tee" << folder_.filePath("typed"));
    if (!process_.waitForStarted()) return;
    runUntil([&] {
        if (const auto shown = desktop.windowOf(process_.processId())) id_ = *shown;
        return id_ != XCB_WINDOW_NONE;
    });
}

Terminal::~Terminal() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill();
    process_.waitForFinished();
}

QString Terminal::typed() const {
    QFile file(folder_.filePath("typed"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace zantiva::testing
