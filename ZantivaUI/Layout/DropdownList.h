#pragma once

#include <QStringList>
#include <QWidget>
#include <optional>

namespace zantiva {

// The open list of a dropdown: one row per option on a card with a 4-pixel hard shadow, the
// chosen row in crimson, the row under the pointer in muted grey. A click on a row (press and
// release on the same row) reports it through picked.
class DropdownList : public QWidget {
    Q_OBJECT
public:
    DropdownList(qreal width, QWidget* parent = nullptr);

    void setRows(const QStringList& rows, std::optional<int> selected);
    const QStringList& rows() const { return rows_; }
    std::optional<int> selected() const { return selected_; }
    std::optional<int> hovered() const { return hovered_; }
    // A row's rectangle in the list, physical: the rows span the card's face.
    QRect rowRect(int row) const;

    QSize sizeHint() const override;

signals:
    void picked(int row);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<int> rowAt(const QPoint& point) const;
    int rowHeight() const;

    qreal width_;
    QStringList rows_;
    std::optional<int> selected_;
    std::optional<int> hovered_;
    std::optional<int> pressed_;
};

} // namespace zantiva
