#include "Controls/ButtonText.h"

#include <QAbstractButton>
#include <QKeySequence>

namespace zantiva {

void setButtonText(QAbstractButton& button, const QString& text) {
    button.setText(text);
    // setText grabs the mnemonic that an "&" marks; the label is no shortcut.
    button.setShortcut(QKeySequence());
}

} // namespace zantiva
