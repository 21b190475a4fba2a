#include "Typography/TextRole.h"

#include <QPalette>
#include <QWidget>

#include "Theme/Palette.h"
#include "Typography/Fonts.h"

namespace zantiva {

namespace {

struct RoleRow {
    VazirWeight weight;
    qreal size;
    double opacity;
};

RoleRow row(TextRole role) {
    switch (role) {
    case TextRole::title: return {VazirWeight::black, 30, 1};
    case TextRole::header: return {VazirWeight::extraBold, 20, 1};
    case TextRole::subHeader: return {VazirWeight::semiBold, 14, 0.75};
    case TextRole::body: return {VazirWeight::medium, 13, 1};
    case TextRole::label: return {VazirWeight::bold, 11, 0.65};
    case TextRole::button: return {VazirWeight::extraBold, 14, 1};
    case TextRole::input: break;
    }
    return {VazirWeight::semiBold, 14, 1};
}

} // namespace

QFont font(TextRole role) {
    const RoleRow r = row(role);
    return vazirFont(r.weight, r.size);
}

double opacityFactor(TextRole role) { return row(role).opacity; }

QColor roleColor(TextRole role, const QColor& color) { return withOpacity(color, opacityFactor(role)); }

void applyTextRole(QWidget& widget, TextRole role, const QColor& color) {
    widget.setFont(font(role));
    setForeground(widget, roleColor(role, color));
}

void setForeground(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::Text, color);
    }
    widget.setPalette(palette);
}

} // namespace zantiva
