#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "Controls/FolderChooser.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/QtTranslation.h"
#include "Typography/DirectedText.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

// What the open dialog showed: its title, its cancel button's text and its direction.
struct Shown {
    QString title;
    QString cancel;
    Qt::LayoutDirection direction = Qt::LayoutDirectionAuto;
};

// Once the dialog is open: notes what it shows, then picks the folder (or cancels without one).
void answerDialog(Shown& shown, const std::optional<QString>& folder) {
    QTimer::singleShot(0, [&shown, folder] {
        QFileDialog* dialog = nullptr;
        ASSERT_TRUE(uitest::settles([&] { return dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
        shown = {dialog->windowTitle(), dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
                 dialog->layoutDirection()};
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

    Shown shown;
    answerDialog(shown, picked);
    EXPECT_EQ(choose(), std::filesystem::path(picked.toStdString()));
    EXPECT_EQ(shown.title, notifier.text("Main.SsdPickFolder"));

    answerDialog(shown, std::nullopt);
    EXPECT_EQ(choose(), std::nullopt);
}

// Qt's own words in its dialogs (the folder chooser's buttons, the standard buttons) follow the
// language, and the dialogs run right to left in Persian; back in English both are as before.
TEST(FolderChooser, QtsOwnWordsAndDirectionFollowTheLanguage) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    QWidget window;
    window.show();
    translateQtWithLanguage(notifier, window);
    const FolderChooser choose = folderDialog(window, notifier);

    for (const AppLanguage language : {AppLanguage::persian, AppLanguage::english}) {
        loc.setLanguage(language);
        const bool persian = language == AppLanguage::persian;
        const Qt::LayoutDirection direction = persian ? Qt::RightToLeft : Qt::LeftToRight;
        Shown shown;
        answerDialog(shown, std::nullopt);
        EXPECT_EQ(choose(), std::nullopt);
        EXPECT_EQ(holdsRightToLeftLetter(shown.cancel), persian) << shown.cancel.toStdString();
        EXPECT_EQ(shown.direction, direction);

        const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        const QString ok = buttons.button(QDialogButtonBox::Ok)->text();
        EXPECT_EQ(holdsRightToLeftLetter(ok), persian) << ok.toStdString();
        EXPECT_EQ(buttons.layoutDirection(), direction);
    }
}
