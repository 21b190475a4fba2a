#include "Controls/FolderChooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPointer>

#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

FolderChooser folderDialog(QWidget& parent, const LocNotifier& loc) {
    // The window may go before the chooser does; the dialog then has no parent.
    return [parent = QPointer<QWidget>(&parent), &loc]() -> std::optional<std::filesystem::path> {
        const QString folder = QFileDialog::getExistingDirectory(parent, loc.text("Main.SsdPickFolder"), QDir::homePath());
        if (folder.isEmpty()) return std::nullopt;
        return std::filesystem::path(QFile::encodeName(folder).toStdString());
    };
}

} // namespace zantiva
