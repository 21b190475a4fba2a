#pragma once

#include <QString>

class QAbstractButton;

namespace zantiva {

// Gives a button its label as it reads: an "&" in it ("Speakers & Mic") is shown as such and
// never becomes an Alt shortcut.
void setButtonText(QAbstractButton& button, const QString& text);

} // namespace zantiva
