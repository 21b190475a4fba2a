#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <set>

#include "DrawnText.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Samples/SampleScreens.h"

using namespace zantiva;

namespace {

// Inside a scrolling page, only the width counts: the rest of the column is a scroll away.
bool scrolls(const QWidget* widget) {
    for (const QWidget* above = widget->parentWidget(); above; above = above->parentWidget())
        if (qobject_cast<const QScrollArea*>(above)) return true;
    return false;
}

} // namespace

// Every sample screen, in both languages, at its window size: each text lies whole inside the
// window, so the render shows all of it (none pushed past an edge, nor widening a scrolling page).
// In Persian each line is drawn inside its label and the figures read in order.
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
                const bool inside = scrolls(label) ? placed.left() >= 0 && placed.right() < window->width()
                                                   : window->rect().contains(placed);
                EXPECT_TRUE(inside) << sample.name << ": " << label->text().toStdString();
                if (language != AppLanguage::persian || label->textFormat() == Qt::RichText) continue;
                const DrawnText drawn(*label);
                for (const QString& fault : drawn.linesOutside() + drawn.figuresOutOfOrder())
                    ADD_FAILURE() << sample.name << ": " << fault.toStdString();
            }
        }
    }
}
