#pragma once

class QScrollArea;
class QWidget;

namespace zantiva {

// A frameless area that scrolls the page up and down (never sideways) and paints nothing of its
// own, nor lets the page: the window's surface shows through. It takes the page.
QScrollArea* pageScroll(QWidget* page);

} // namespace zantiva
