#pragma once

#include <QWidget>

namespace zantiva {

class ProseLabel;

// The one line of news under the header: the message on the highlight colour, closed by a
// 2-pixel rule, in plain text the user can select and copy. A long message wraps.
class StatusLine : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void setText(const QString& text);
    ProseLabel* label() const { return label_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProseLabel* label_;
};

} // namespace zantiva
