#include "Shell/AlreadyRunning.h"

#include <QMessageBox>
#include <QString>
#include <iostream>
#include <unistd.h>

#include "App/AppFolder.h"
#include "Model/AppSettingsStore.h"

namespace zantiva {

std::string alreadyRunningText(const std::optional<LockHolder>& holder, const Loc& loc) {
    std::string who = loc.t("App.AlreadyRunning.Unknown");
    if (holder && holder->namedOtherHost())
        who = loc.f("App.AlreadyRunning.ProcessOnHost", holder->process, holder->host);
    else if (holder)
        who = loc.f("App.AlreadyRunning.Process", holder->process);
    return loc.f("App.AlreadyRunning.Body", who);
}

void tellAlreadyRunning(const std::optional<LockHolder>& holder) {
    std::cerr << "failed: " << alreadyRunningText(holder, Loc(AppLanguage::english)) << '\n';
    if (::isatty(STDERR_FILENO) == 1) return;
    const Loc loc(AppSettingsStore(openAppFolder()).current().language);
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(loc.t("App.AlreadyRunning.Title")),
                    QString::fromStdString(alreadyRunningText(holder, loc)), QMessageBox::Ok);
    box.setLayoutDirection(loc.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    box.exec();
}

} // namespace zantiva
