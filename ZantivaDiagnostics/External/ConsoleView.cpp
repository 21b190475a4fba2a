#include "External/ConsoleView.h"

#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/TextRole.h"

namespace zantiva {

namespace {

constexpr int viewHeight = 220;
constexpr qreal radius = 10;
constexpr qreal border = 2;

} // namespace

ConsoleView::ConsoleView(QWidget* parent) : QWidget(parent), text_(new QPlainTextEdit) {
    text_->setReadOnly(true);
    text_->setFrameShape(QFrame::NoFrame);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setFont(systemFont(11, QFont::Normal));
    text_->setFont(monospacedFont(text_->font()));
    text_->setLayoutDirection(Qt::LeftToRight); // tools write left to right in both languages
    text_->document()->setDocumentMargin(10);
    text_->viewport()->setAutoFillBackground(false);
    text_->setAutoFillBackground(false);
    text_->setStyleSheet("QPlainTextEdit { background: transparent; }");
    setFixedHeight(viewHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(static_cast<int>(border), static_cast<int>(border), static_cast<int>(border),
                               static_cast<int>(border));
    layout->addWidget(text_);
}

void ConsoleView::show(const std::vector<ExternalConsoleLine>& lines, const std::string& emptyText) {
    if (lines == lines_ && emptyText == emptyText_) return;
    QScrollBar* bar = text_->verticalScrollBar();
    const bool followsEnd = bar->value() == bar->maximum();
    // Ids only grow, so when the shown lines are a start of the new ones only the rest is new.
    const bool appends = !lines_.empty() && lines.size() > lines_.size() && lines[lines_.size() - 1] == lines_.back() &&
                         lines.front() == lines_.front();
    if (appends) {
        for (std::size_t i = lines_.size(); i < lines.size(); ++i)
            text_->appendPlainText(QString::fromStdString(lines[i].text));
    } else if (lines.empty()) {
        text_->setPlainText(QString::fromStdString(emptyText));
    } else {
        QStringList all;
        for (const auto& line : lines) all << QString::fromStdString(line.text);
        text_->setPlainText(all.join('\n'));
    }
    setForeground(*text_, withOpacity(color(PaletteColor::text), lines.empty() ? 0.5 : 0.9));
    if (followsEnd || !appends) bar->setValue(bar->maximum());
    lines_ = lines;
    emptyText_ = emptyText;
}

void ConsoleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color(PaletteColor::outline), border));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = border / 2; // the stroke stays inside the frame
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), radius, radius);
}

} // namespace zantiva
