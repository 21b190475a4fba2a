#pragma once

#include <QLabel>

#include "Typography/TextRole.h"

namespace zantiva {

// A sentence of the interface language in a text role, laid out in the direction of its own
// layout. Qt would take a label's direction from its first strong letter, so a Persian
// sentence that opens with a Latin word ("SSD …") flipped to left to right and stuck to the
// wrong edge; and inside right-to-left text the bidirectional rules turn "94°C" into "C°94"
// and run neighbouring numbers together. The label therefore marks its text with its
// direction and, in right-to-left text, keeps each run of Latin letters and digits (a number
// with its unit, a product name) left to right. It marks the text again when the direction
// changes.
class ProseLabel : public QLabel {
    Q_OBJECT
public:
    explicit ProseLabel(QWidget* parent = nullptr);
    ProseLabel(TextRole role, const QColor& color, const QString& text = {}, QWidget* parent = nullptr);

    // The text as given, without the marks.
    const QString& prose() const { return prose_; }
    void setProse(const QString& text);

    // The text as laid out in that direction, with the invisible marks described above.
    static QString directed(const QString& text, Qt::LayoutDirection direction);

protected:
    void changeEvent(QEvent* event) override;

private:
    QString prose_;
};

} // namespace zantiva
