#include "LocalizedViews/ZantivaRoot.h"

#include <QApplication>
#include <QWidget>

#include "Assets/ZantivaFonts.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaStyle.h"
#include "Theme/Palette.h"
#include "Typography/TextRole.h"

namespace zantiva {

QPalette rootPalette() {
    using enum PaletteColor;
    QPalette palette;
    const std::pair<QPalette::ColorRole, PaletteColor> roles[] = {
        {QPalette::Window, surface},           {QPalette::WindowText, text},
        {QPalette::Base, card},                {QPalette::AlternateBase, muted},
        {QPalette::Text, text},                {QPalette::Button, card},
        {QPalette::ButtonText, text},          {QPalette::BrightText, onPrimary},
        {QPalette::Highlight, primary},        {QPalette::HighlightedText, onPrimary},
        {QPalette::ToolTipBase, card},         {QPalette::ToolTipText, text},
        {QPalette::Link, secondary},           {QPalette::LinkVisited, secondary},
        {QPalette::Light, outlineSubtle},      {QPalette::Midlight, muted},
        {QPalette::Mid, muted},                {QPalette::Dark, outline},
        {QPalette::Shadow, outline},
    };
    for (const auto& [role, name] : roles) palette.setColor(role, color(name));
    palette.setColor(QPalette::PlaceholderText, withOpacity(color(text), 0.45));
    return palette;
}

void applyZantivaRoot(QWidget& window, LocNotifier& loc) {
    ZantivaFonts::registerFonts();
    static const bool styled = [] {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::setStyle(new ZantivaStyle);
        return true;
    }();
    (void)styled;

    window.setFont(font(TextRole::body));
    window.setPalette(rootPalette());
    window.setAutoFillBackground(true);
    loc.bind(&window, [&window, &loc] { window.setLayoutDirection(loc.layoutDirection()); });
}

} // namespace zantiva
