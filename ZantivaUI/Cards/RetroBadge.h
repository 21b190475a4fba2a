#pragma once

#include <QColor>
#include <QWidget>

namespace zantiva {

// The flat outlined pill of status words and counts: no shadow, no hover, no state.
class RetroBadge : public QWidget {
    Q_OBJECT
public:
    // Any content, 14 pixels in from the sides and 6 from the top and bottom.
    RetroBadge(QWidget* content, const QColor& background, QWidget* parent = nullptr);
    // A text shown as it stands (never looked up) in Vazirmatn-Bold 12.
    RetroBadge(const QString& text, const QColor& background, const QColor& foreground, QWidget* parent = nullptr);

    void setBackground(const QColor& background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
};

} // namespace zantiva
