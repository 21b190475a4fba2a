#pragma once

#include <QtGlobal>
#include <functional>

class QPainter;
class QWidget;

namespace zantiva {

// How a disabled control is drawn: as a whole, at this opacity.
inline constexpr qreal disabledOpacity = 0.45;

// Draws as a whole at the opacity, the way a faded control looks: the parts are composed
// first, so a translucent face does not let its own shadow show through.
void paintWithOpacity(QPainter& painter, const QWidget& widget, qreal opacity,
                      const std::function<void(QPainter&)>& paint);

} // namespace zantiva
