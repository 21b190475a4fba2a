#pragma once

// What a screen shows as text: the sentences of its visible labels as given, and its
// machine text without its direction mark.

#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "Typography/ProseLabel.h"

namespace zantiva::testing {

inline QStringList shownTexts(const QWidget& screen) {
    QStringList texts;
    for (const QLabel* label : screen.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&screen)) continue;
        if (const auto* prose = qobject_cast<const ProseLabel*>(label))
            texts << prose->prose();
        else
            texts << QString(label->text()).remove(QChar(0x200E));
    }
    return texts;
}

inline bool shows(const QWidget& screen, const QString& text) { return shownTexts(screen).contains(text); }

} // namespace zantiva::testing
