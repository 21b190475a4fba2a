#include "Typography/MachineTextLabel.h"

#include <QEvent>

#include "Typography/DirectedText.h"

namespace zantiva {

MachineTextLabel::MachineTextLabel(const QFont& machineFont, QWidget* parent)
    : QLabel(parent), machineFont_(machineFont) {
    setTextFormat(Qt::RichText);
}

void MachineTextLabel::setSentence(const QString& sentence, const QString& machine) {
    sentence_ = sentence;
    machine_ = machine;
    lay();
}

void MachineTextLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LayoutDirectionChange) lay();
    QLabel::changeEvent(event);
}

void MachineTextLabel::lay() {
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    // Rich text keeps the alignment as given, and the paragraph states its own direction.
    setAlignment(Qt::AlignAbsolute | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    const QString paragraph = rightToLeft ? QStringLiteral("<div dir=\"rtl\">%1</div>") : QStringLiteral("<div dir=\"ltr\">%1</div>");
    const QString directed = directedText(sentence_, layoutDirection());
    const qsizetype at = machine_.isEmpty() ? -1 : directed.indexOf(machine_);
    if (at < 0) {
        setText(paragraph.arg(directed.toHtmlEscaped()));
        return;
    }
    const QString span = QStringLiteral("<span style=\"font-family:'%1'; font-size:%2px; font-weight:%3\">%4</span>")
                             .arg(machineFont_.family())
                             .arg(machineFont_.pixelSize())
                             .arg(machineFont_.weight())
                             .arg(machine_.toHtmlEscaped());
    setText(paragraph.arg(directed.left(at).toHtmlEscaped() + span + directed.mid(at + machine_.size()).toHtmlEscaped()));
}

} // namespace zantiva
