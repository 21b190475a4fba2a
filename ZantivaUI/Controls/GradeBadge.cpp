#include "Controls/GradeBadge.h"

#include <QPainter>
#include <cmath>

#include "Model/RawValues.h"
#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Theme/SurfacePose.h"
#include "Theme/ToneColors.h"
#include "Typography/Fonts.h"

namespace zantiva {

GradeBadge::Look GradeBadge::look(std::optional<DeviceGrade> grade) {
    if (!grade) return {QStringLiteral("\u2014"), color(PaletteColor::card), color(PaletteColor::text)};
    const std::string_view letter = rawValue(*grade);
    return {QString::fromLatin1(letter.data(), static_cast<qsizetype>(letter.size())), color(tone(*grade)),
            color(PaletteColor::outline)};
}

GradeBadge::GradeBadge(std::optional<DeviceGrade> grade, qreal side, QWidget* parent)
    : QWidget(parent), grade_(grade), side_(side) {
    setLayoutDirection(Qt::LeftToRight);
    const int outer = static_cast<int>(std::ceil(side_ + Theme::Metric::controlShadow));
    setFixedSize(outer, outer);
    setAccessibleName(look(grade_).letter);
}

void GradeBadge::paintEvent(QPaintEvent*) {
    const Look shown = look(grade_);
    const SurfaceStyle style{
        .fill = shown.fill,
        .radius = side_ * 0.28,
        .shadow = Theme::Metric::controlShadow,
        .lift = 0,
        .pressed = false,
        .shadowColor = color(PaletteColor::outline),
        .borderColor = color(PaletteColor::outline),
    };
    const QRectF frame(0, 0, side_ + style.shadow, side_ + style.shadow);
    QPainter painter(this);
    paintSurface(painter, frame, SurfacePose::of(style));
    painter.setFont(vazirFont(VazirWeight::black, side_ * 0.56));
    painter.setPen(shown.letterColor);
    painter.drawText(surfaceGeometry(frame, style.shadow, 0).face, Qt::AlignCenter, shown.letter);
}

} // namespace zantiva
