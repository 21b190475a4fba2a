#pragma once

#include <QLabel>

namespace zantiva {

// Prose of the interface language as plain text whose paragraph always runs in the label's
// layout direction, whatever its first letter: a Persian sentence that opens with a number or
// a model name stays right to left (Qt would otherwise take the direction from that first
// strong letter). It does so with a leading direction mark, renewed when the direction
// changes. Machine text keeps to HardwareText.
class ProseLabel : public QLabel {
    Q_OBJECT
public:
    explicit ProseLabel(QWidget* parent = nullptr);

    // The text without its direction mark.
    const QString& prose() const { return prose_; }
    void setProse(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void mark();

    QString prose_;
};

} // namespace zantiva
