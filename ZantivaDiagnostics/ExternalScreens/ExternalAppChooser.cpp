#include "ExternalScreens/ExternalAppChooser.h"

#include <QFile>
#include <QFileDialog>
#include <QPointer>

#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

ExternalAppChooser externalAppDialog(QWidget& parent, const LocNotifier& loc) {
    // The window may go before the chooser does; the dialog then has no parent.
    return [parent = QPointer<QWidget>(&parent), &loc](ExternalBenchmarkApp app) -> std::optional<std::filesystem::path> {
        const QString title = loc.text("External.PickExe", {std::string(displayName(app))});
        const QString filter = loc.text("External.ExeFilter") + " (*)";
        const QString file = QFileDialog::getOpenFileName(parent, title, "/opt", filter);
        if (file.isEmpty()) return std::nullopt;
        return std::filesystem::path(QFile::encodeName(file).toStdString());
    };
}

} // namespace zantiva
