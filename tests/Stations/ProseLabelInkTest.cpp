#include <gtest/gtest.h>

#include <QWidget>

#include "DrawnText.h"
#include "Typography/ProseLabel.h"

namespace zantiva {
namespace {

// A wrapped Persian sentence whose lines end on letters with tails past their advance ("رد"):
// at no width, aligned to its start or centred, does the label cut a line's ink at its edge.
TEST(ProseLabelInk, NoWrappedLineIsCutAtTheLabelsEdge) {
    const QString sentence = QString::fromUtf8(
        "صفحه با رنگ‌های یکدست پر می‌شود و بعد یک الگوی پیکسل مرده و یک مربع متحرک نمایش داده می‌شود. در هر "
        "صفحه با دقت دنبال پیکسل مرده یا گیرکرده، روشنایی ناهمگون، نشت نور از لبه‌ها و رد تار پشت مربع متحرک بگردید.");
    QWidget screen;
    screen.setLayoutDirection(Qt::RightToLeft);
    auto* label = new ProseLabel(TextRole::body, Qt::white, sentence, &screen);
    label->setWordWrap(true);
    for (const Qt::Alignment alignment : {Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter), Qt::Alignment(Qt::AlignCenter)}) {
        label->setAlignment(alignment);
        QStringList cut;
        for (int width = 300; width <= 1100; width += 5) {
            label->resize(width, label->heightForWidth(width));
            cut += DrawnText(*label).linesOutside();
        }
        EXPECT_TRUE(cut.isEmpty()) << int(alignment) << ": " << cut.value(0).toStdString();
    }
}

} // namespace
} // namespace zantiva
