#include "ExternalScreens/ConsoleView.h"

#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

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
    // The card shows through; no style sheet, which would override the palette's text colour.
    text_->viewport()->setAutoFillBackground(false);
    text_->setAutoFillBackground(false);
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
    // Ids only grow: when the last line shown is still there, only what follows it is new, and
    // the lines the runner dropped at the start go from the top as the new ones come in.
    const auto last = lines_.empty() ? lines.end() : std::ranges::find(lines, lines_.back());
    const bool appends = last != lines.end() && lines.front().id >= lines_.front().id;
    if (appends) {
        text_->setMaximumBlockCount(static_cast<int>(lines.size()));
        for (auto line = std::next(last); line != lines.end(); ++line)
            text_->appendPlainText(QString::fromStdString(line->text));
    } else {
        text_->setMaximumBlockCount(0);
        QStringList all;
        for (const auto& line : lines) all << QString::fromStdString(line.text);
        text_->setPlainText(lines.empty() ? QString::fromStdString(emptyText) : all.join('\n'));
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
