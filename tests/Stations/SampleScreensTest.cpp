#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <set>

#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Samples/SampleScreens.h"

using namespace zantiva;

// Every sample screen, in both languages, at its window size: no text is cut short.
TEST(SampleScreens, EachBuildsAndShowsEveryTextWhole) {
    std::set<std::string_view> names;
    for (const SampleScreen& sample : sampleScreens()) {
        EXPECT_TRUE(names.insert(sample.name).second) << sample.name << " twice";
        for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian}) {
            Loc loc(language);
            LocNotifier notifier(loc);
            const std::unique_ptr<QWidget> window = sample.make(notifier);
            applyZantivaRoot(*window, notifier);
            window->resize(sample.size);
            window->show();
            QApplication::processEvents();
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                if (!label->isVisibleTo(window.get()) || label->text().isEmpty()) continue;
                const QSize needed = label->wordWrap() ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                                                       : label->sizeHint();
                EXPECT_GE(label->width(), needed.width()) << sample.name << ": " << label->text().toStdString();
                EXPECT_GE(label->height(), needed.height()) << sample.name << ": " << label->text().toStdString();
            }
        }
    }
}
