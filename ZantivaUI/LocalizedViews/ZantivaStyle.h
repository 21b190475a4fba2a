#pragma once

#include <QProxyStyle>

namespace zantiva {

// The application's style: Fusion, and one rule of its own for the direction of text. Qt lays
// a label's plain text out in the direction of its first strong letter, so a Persian sentence
// that starts with a Latin word or a filled-in placeholder ("DDR5 · 5600 MHz · 2 ماژول")
// would run left to right and scramble. Here a right-to-left label lays out any text that holds
// a right-to-left letter right to left, at its leading edge. Text without one (numbers with
// units, models, paths) keeps Qt's own direction, and a left-to-right label (HardwareText, an
// English window) is left as Qt draws it.
class ZantivaStyle : public QProxyStyle {
    Q_OBJECT
public:
    ZantivaStyle();

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

} // namespace zantiva
