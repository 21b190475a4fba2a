#pragma once

#include <QFont>
#include <QLabel>

namespace zantiva {

// A sentence of the interface language around one piece of machine text (a clock): the
// sentence laid out as directedText lays it, aligned where the language starts and set in the
// label's own face; only the piece in the machine face. It lays the sentence out again when
// the direction changes.
class MachineTextLabel : public QLabel {
    Q_OBJECT
public:
    MachineTextLabel(const QFont& machineFont, QWidget* parent = nullptr);

    // A sentence without the piece in it is shown whole in the label's face.
    void setSentence(const QString& sentence, const QString& machine);

protected:
    void changeEvent(QEvent* event) override;

private:
    void lay();

    QFont machineFont_;
    QString sentence_;
    QString machine_;
};

} // namespace zantiva
