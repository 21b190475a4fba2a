#include "Typography/Fonts.h"

#include "Typography/ZantivaFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QtMath>

namespace zantiva {

namespace {

QFont sized(QFont font, qreal pixelSize, QFont::Weight weight) {
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setWeight(weight);
    return font;
}

} // namespace

QFont vazirFont(VazirWeight weight, qreal pixelSize) {
    // Whoever asks for the family first gets it registered, also before any window root.
    if (QGuiApplication::instance()) ZantivaFonts::registerFonts();
    QFont font{QString::fromLatin1(vazirFamily)};
    return sized(font, pixelSize, fontWeight(weight));
}

QFont hardwareFont(qreal pixelSize, QFont::Weight weight) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    return sized(font, pixelSize, weight);
}

QFont systemFont(qreal pixelSize, QFont::Weight weight) {
    return sized(QFontDatabase::systemFont(QFontDatabase::GeneralFont), pixelSize, weight);
}

} // namespace zantiva
