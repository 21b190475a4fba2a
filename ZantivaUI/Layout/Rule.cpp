#include "Layout/Rule.h"

#include <QWidget>

#include "Theme/Metric.h"
#include "Theme/Palette.h"

namespace zantiva {

QWidget* rule(PaletteColor colour) {
    auto* line = new QWidget;
    line->setFixedHeight(static_cast<int>(Theme::Metric::borderWidth));
    line->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color(colour));
    line->setPalette(palette);
    return line;
}

} // namespace zantiva
