#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <fstream>

#include "../Support/AwaitTask.h"
#include "../Support/TemporaryFolder.h"
#include "ExternalScreens/ExternalAppChooser.h"
#include "LocalizedViews/LocNotifier.h"

using namespace zantiva;

namespace {

struct Seen {
    QString title;
    QString folder;
};

// Once the dialog is open: notes its title and folder, then picks the file (or cancels).
void answerDialog(Seen& seen, const std::optional<QString>& file) {
    QTimer::singleShot(0, [&seen, file] {
        QFileDialog* dialog = nullptr;
        ASSERT_TRUE(zantiva::testing::runUntil(
            [&] { return dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
        seen = {dialog->windowTitle(), dialog->directory().absolutePath()};
        if (!file) return dialog->reject();
        dialog->selectFile(*file);
        static_cast<QDialog*>(dialog)->accept(); // public there, protected in QFileDialog
    });
}

} // namespace

TEST(ExternalAppChooser, OpensInOptUnderTheAppsNameAndGivesTheFileOrNothing) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    QWidget window;
    window.show();
    const ExternalAppChooser choose = externalAppDialog(window, notifier);

    Seen seen;
    answerDialog(seen, std::nullopt);
    EXPECT_EQ(choose(ExternalBenchmarkApp::cinebench2024), std::nullopt);
    EXPECT_EQ(seen.title, "Select Cinebench 2024");
    EXPECT_EQ(seen.folder, "/opt");

    zantiva::testing::TemporaryFolder folder;
    const auto program = folder / "cinebench-2024";
    std::ofstream(program) << "#!/bin/sh\n";
    answerDialog(seen, QString::fromStdString(program.string()));
    EXPECT_EQ(choose(ExternalBenchmarkApp::cinebench2024), program);
}
