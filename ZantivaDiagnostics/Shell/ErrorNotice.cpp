#include "Shell/ErrorNotice.h"

#include <QLayout>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

constexpr int spacing = 14;
// Room kept between the card and the window's edges.
constexpr int windowMargin = 24;
// The body never shrinks below a few lines, however small the window.
constexpr int minimumBodyHeight = 60;

QTextEdit* plainTextBody() {
    auto* body = new QTextEdit;
    body->setReadOnly(true);
    body->setAcceptRichText(false);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    body->setFrameShape(QFrame::NoFrame);
    body->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A path or an address in the exception's words has no spaces to break at.
    body->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    body->document()->setDocumentMargin(0);
    applyTextRole(*body, TextRole::body, color(PaletteColor::text));
    QPalette palette = body->palette();
    palette.setColor(QPalette::Base, color(PaletteColor::card));
    body->setPalette(palette);
    return body;
}

} // namespace

ErrorNotice::ErrorNotice(QWidget* parent)
    : ModalOverlay(parent), title_(wrappedLabel(TextRole::header, color(PaletteColor::primary))),
      body_(plainTextBody()), continue_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)) {
    layout()->setContentsMargins(windowMargin, windowMargin, windowMargin, windowMargin);
    auto* content = new QWidget;
    content->setFixedWidth(contentWidth);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->addWidget(title_);
    column->addWidget(body_);
    column->addWidget(continue_, 0, Qt::AlignLeft);
    setCardContent(content);
    setFocusProxy(continue_);

    connect(continue_, &QAbstractButton::clicked, this, &ErrorNotice::continueRequested);
}

void ErrorNotice::show(const ErrorNoticeView& view) {
    title_->setProse(QString::fromStdString(view.title));
    continue_->setText(QString::fromStdString(view.continueLabel));
    const QString body = QString::fromStdString(view.body);
    if (body != body_->toPlainText()) {
        // Never rich text: the exception's words are shown as they are.
        body_->setPlainText(body);
        body_->document()->setTextWidth(contentWidth);
        bodyHeight_ = static_cast<int>(std::ceil(body_->document()->size().height()));
    }
    fitBody();
}

void ErrorNotice::resizeEvent(QResizeEvent* event) {
    ModalOverlay::resizeEvent(event);
    fitBody();
}

// The body takes the whole text's height when the window has room for it, else what is left
// once the title, Continue, the card and the margins have theirs.
void ErrorNotice::fitBody() {
    const int around = card()->sizeHint().height() - card()->layout()->itemAt(0)->sizeHint().height();
    const int rest = title_->heightForWidth(contentWidth) + continue_->heightForWidth(contentWidth) + 2 * spacing;
    const int room = height() - 2 * windowMargin - around - rest;
    body_->setFixedHeight(std::max(minimumBodyHeight, std::min(bodyHeight_, room)));
}

} // namespace zantiva
