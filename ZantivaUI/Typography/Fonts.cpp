#include "Typography/Fonts.h"

#include "Assets/ZantivaFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QtMath>

namespace zantiva {

namespace {

QFont sized(QFont font, qreal pixelSize, QFont::Weight weight) {
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setWeight(weight);
    return font;
}

// Judged by the widths a reader sees: fontconfig leaves some monospaced families unmarked
// ("Noto Sans Mono"), and maps "monospace" to a proportional one when it knows no other.
bool isMonospaced(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('i'));
    for (const char c : {'M', 'W', '0', '.', 'l', '_'})
        if (metrics.horizontalAdvance(QLatin1Char(c)) != width) return false;
    return true;
}

} // namespace

QFont vazirFont(VazirWeight weight, qreal pixelSize) {
    // Whoever asks for the family first gets it registered, also before any window root.
    if (QGuiApplication::instance()) ZantivaFonts::registerFonts();
    // The system's fallback may hold the media marks only in a colour emoji font.
    const QFont font{QStringList{QString::fromLatin1(vazirFamily), QString::fromLatin1(symbolsFamily)}};
    return sized(font, pixelSize, fontWeight(weight));
}

QFont hardwareFont(qreal pixelSize, QFont::Weight weight) {
    // fontconfig's monospace differs from machine to machine; the setup installs DejaVu Sans Mono,
    // so machine text (and the gallery's renders) look the same wherever it is there.
    static const QString pinned = QStringLiteral("DejaVu Sans Mono");
    QFont font = QFontDatabase::hasFamily(pinned) ? QFont(pinned) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    return monospacedFont(sized(font, pixelSize, weight));
}

QFont monospacedFont(const QFont& preferred) {
    if (isMonospaced(preferred)) return preferred;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(family)) continue;
        QFont font = preferred;
        font.setFamilies({family});
        if (isMonospaced(font)) return font;
    }
    return preferred;
}

QFont systemFont(qreal pixelSize, QFont::Weight weight) {
    return sized(QFontDatabase::systemFont(QFontDatabase::GeneralFont), pixelSize, weight);
}

} // namespace zantiva
