#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <set>

#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Samples/SampleScreens.h"

using namespace zantiva;

// Every sample screen, in both languages, at its window size: each text lies whole inside the
// window, so the render shows all of it (none pushed past an edge or under a scroll).
TEST(SampleScreens, EachShowsEveryTextWhole) {
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
                const QRect placed(label->mapTo(window.get(), QPoint()), label->size());
                EXPECT_TRUE(window->rect().contains(placed)) << sample.name << ": " << label->text().toStdString();
            }
        }
    }
}
