#include "Controls/LanguageSwitch.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>

#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"

namespace zantiva {

namespace {

constexpr int inset = 3;
constexpr int dividerWidth = 2;
constexpr int dividerPadding = 4;
constexpr qreal switchRadius = Theme::Metric::badgeRadius;
constexpr qreal segmentRadius = 9;
constexpr QMargins segmentPadding{10, 4, 10, 4};

// One language's short label on its pill: crimson when selected, muted under the pointer.
class Segment : public QAbstractButton {
public:
    Segment(AppLanguage language, QWidget* parent) : QAbstractButton(parent) {
        setText(QString::fromStdString(shortLabel(language)));
        setFont(hardwareFont(12, QFont::Black));
        setAccessibleName(text());
        setCheckable(true);
        // Only the switch marks a segment: a click reports, it does not select.
        setAutoExclusive(false);
    }

    void setSelected(bool selected) {
        blockSignals(true);
        setChecked(selected);
        blockSignals(false);
        update();
    }

    QSize sizeHint() const override { return fontMetrics().size(Qt::TextSingleLine, text()).grownBy(segmentPadding); }

protected:
    void nextCheckState() override {}

    bool event(QEvent* event) override {
        if (event->type() == QEvent::Enter) hovered_ = true;
        if (event->type() == QEvent::Leave) hovered_ = false;
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) update();
        return QAbstractButton::event(event);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor pill = isChecked() ? color(PaletteColor::primary)
                            : hovered_  ? color(PaletteColor::muted)
                                        : QColor(Qt::transparent);
        paintOutlinedShape(painter, rect(), segmentRadius, pill, Qt::transparent);
        painter.setFont(font());
        painter.setPen(isChecked() ? color(PaletteColor::onPrimary) : color(PaletteColor::text));
        painter.drawText(rect(), Qt::AlignCenter, QAbstractButton::text());
    }

private:
    bool hovered_ = false;
};

} // namespace

LanguageSwitch::LanguageSwitch(AppLanguage selection, QWidget* parent)
    : QWidget(parent), selection_(selection), english_(new Segment(AppLanguage::english, this)),
      persian_(new Segment(AppLanguage::persian, this)),
      divider_(new QSpacerItem(dividerWidth, 2 * dividerPadding, QSizePolicy::Fixed, QSizePolicy::Minimum)) {
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(inset, inset, inset, inset);
    row->setSpacing(inset);
    row->setSizeConstraint(QLayout::SetFixedSize);
    row->addWidget(english_, 0, Qt::AlignVCenter);
    row->addItem(divider_);
    row->addWidget(persian_, 0, Qt::AlignVCenter);
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian}) {
        connect(segment(language), &QAbstractButton::clicked, this, [this, language] {
            if (language != selection_) emit languageSelected(language);
        });
    }
    setSelection(selection);
}

QAbstractButton* LanguageSwitch::segment(AppLanguage language) const {
    return language == AppLanguage::english ? english_ : persian_;
}

void LanguageSwitch::setSelection(AppLanguage selection) {
    selection_ = selection;
    static_cast<Segment*>(english_)->setSelected(selection == AppLanguage::english);
    static_cast<Segment*>(persian_)->setSelected(selection == AppLanguage::persian);
}

void LanguageSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintOutlinedShape(painter, rect(), switchRadius, color(PaletteColor::surface), color(PaletteColor::outline));
    const QRect divider = divider_->geometry().adjusted(0, dividerPadding, 0, -dividerPadding);
    painter.fillRect(divider, color(PaletteColor::outlineSubtle));
}

} // namespace zantiva
