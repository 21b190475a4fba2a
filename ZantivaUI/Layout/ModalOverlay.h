#pragma once

#include <QVariantAnimation>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace zantiva {

class RetroCard;

// A notice laid over the whole of its parent, inside the window: a backdrop of the outline
// colour at 0.7 with a card in the middle. It fades in and out with the interface's motion;
// while it fades out it takes no clicks. Clicks on the backdrop never reach what lies below.
class ModalOverlay : public QWidget {
    Q_OBJECT
public:
    explicit ModalOverlay(QWidget* parent);

    // Shown or on its way out; the fade itself is no state anyone waits for.
    bool isShown() const { return shown_; }
    void setShown(bool shown);

    RetroCard* card() const { return card_; }

signals:
    // A press and release on the backdrop, outside the card.
    void backdropClicked();

protected:
    // The card's content: a column of the width given.
    void setCardContent(QWidget* content);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool onBackdrop(const QPoint& position) const;

    RetroCard* card_;
    QGraphicsOpacityEffect* opacity_;
    QVariantAnimation fade_;
    bool shown_ = false;
    bool pressedOnBackdrop_ = false;
};

} // namespace zantiva
