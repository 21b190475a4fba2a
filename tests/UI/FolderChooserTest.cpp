#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "Controls/FolderChooser.h"
#include "LocalizedViews/LocNotifier.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

// Once the dialog is open: notes its title, then picks the folder (or cancels without one).
void answerDialog(QString& title, const std::optional<QString>& folder) {
    QTimer::singleShot(0, [&title, folder] {
        QFileDialog* dialog = nullptr;
        ASSERT_TRUE(uitest::settles([&] { return dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
        title = dialog->windowTitle();
        if (!folder) return dialog->reject();
        dialog->setDirectory(*folder);
        static_cast<QDialog*>(dialog)->accept(); // public there, protected in QFileDialog
    });
}

} // namespace

TEST(FolderChooser, GivesThePickedFolderOrNothingUnderATitleInTheLanguage) {
    Loc loc(AppLanguage::persian);
    LocNotifier notifier(loc);
    QWidget window;
    window.show();
    const FolderChooser choose = folderDialog(window, notifier);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(u"پوشه"_qs);
    const QString picked = QDir(folder.path()).filePath(u"پوشه"_qs);

    QString title;
    answerDialog(title, picked);
    EXPECT_EQ(choose(), std::filesystem::path(picked.toStdString()));
    EXPECT_EQ(title, notifier.text("Main.SsdPickFolder"));

    answerDialog(title, std::nullopt);
    EXPECT_EQ(choose(), std::nullopt);
}
