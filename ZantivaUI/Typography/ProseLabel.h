#pragma once

#include <QLabel>

#include "Typography/TextRole.h"

namespace zantiva {

// A sentence of the interface language in a text role, laid out in the direction of its own
// layout whatever its first letter, with its figures and names kept left to right
// (directedText). It marks the text again when the direction changes. The side where its lines
// end keeps room for letters that reach past their advance.
class ProseLabel : public QLabel {
    Q_OBJECT
public:
    explicit ProseLabel(QWidget* parent = nullptr);
    ProseLabel(TextRole role, const QColor& color, const QString& text = {}, QWidget* parent = nullptr);

    // The text as given, without the marks.
    const QString& prose() const { return prose_; }
    void setProse(const QString& text);
    // QLabel's alignment; the room for reaching letters moves to where the lines now end.
    void setAlignment(Qt::Alignment alignment);

protected:
    void changeEvent(QEvent* event) override;

private:
    void keepRoomForOverhang();

    QString prose_;
};

} // namespace zantiva
