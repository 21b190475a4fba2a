#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QString>
#include <QWidget>

namespace zantiva {

// The size a text takes when it wraps at word boundaries within the width (any width when
// QWIDGETSIZE_MAX); the flags give its alignment.
inline QSize wrappedTextSize(const QFontMetrics& metrics, const QString& text, int width, int flags) {
    return metrics.boundingRect(QRect(0, 0, qMax(1, width), QWIDGETSIZE_MAX), flags | Qt::TextWordWrap, text).size();
}

} // namespace zantiva
