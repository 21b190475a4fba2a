// Persian sentences keep right to left whatever their first letter, and the figures and
// names inside them keep left to right.

#include <gtest/gtest.h>

#include <QWidget>

#include "Results/ProseButton.h"
#include "Typography/ProseLabel.h"

namespace zantiva::testing {
namespace {

const QString rlm(QChar(0x200F)), lrm(QChar(0x200E)), lri(QChar(0x2066)), rli(QChar(0x2067)), pdi(QChar(0x2069));

QString ltr(const QString& run) { return lri + run + pdi; }

TEST(ProseText, LatinRunsInRightToLeftTextStayLeftToRight) {
    const struct {
        QString text;
        QString laidOut;
    } rows[] = {
        {u"تست سرعت SSD"_qs, rlm + u"تست سرعت "_qs + ltr("SSD")},
        {u"SSD / درایو"_qs, rlm + ltr("SSD") + u" / درایو"_qs},
        {u"16 رشته · بیشینه 94°C"_qs, rlm + ltr("16") + u" رشته · بیشینه "_qs + ltr(u"94°C"_qs)},
        {u"38.4 TB نوشته شده"_qs, rlm + ltr("38.4 TB") + u" نوشته شده"_qs},
        {u"زیر 90% است (76.4%)"_qs, rlm + u"زیر "_qs + ltr("90%") + u" است ("_qs + ltr("76.4%") + ")"},
        // The sentence's own full stop stays outside the run.
        {u"پشت مبدل USB."_qs, rlm + u"پشت مبدل "_qs + ltr("USB") + "."},
    };
    for (const auto& row : rows) EXPECT_EQ(ProseLabel::directed(row.text, Qt::RightToLeft), row.laidOut) << row.text.toStdString();
    EXPECT_EQ(ProseLabel::directed("38.4 TB written", Qt::LeftToRight), lrm + "38.4 TB written");
    EXPECT_EQ(ProseLabel::directed({}, Qt::RightToLeft), QString());
}

TEST(ProseText, LabelsAndButtonsFollowTheirLayoutDirection) {
    QWidget screen;
    screen.setLayoutDirection(Qt::RightToLeft);
    auto* label = new ProseLabel(TextRole::body, Qt::white, u"تست سرعت SSD"_qs, &screen);
    auto* button = new ProseButton(RetroButtonKind::primary, RetroButtonSize::compact, &screen);
    button->setProse(u"تست سرعت SSD"_qs);
    EXPECT_EQ(label->text(), ProseLabel::directed(label->prose(), Qt::RightToLeft));
    EXPECT_EQ(button->text(), rli + button->prose() + pdi);

    screen.setLayoutDirection(Qt::LeftToRight);
    EXPECT_EQ(label->text(), lrm + label->prose());
    EXPECT_EQ(button->text(), button->prose());
}

} // namespace
} // namespace zantiva::testing
