#pragma once

class QBoxLayout;
class QVBoxLayout;
class QWidget;

namespace zantiva {

// The page's items from the top, 14 pixels apart, on the whole width of the page.
QVBoxLayout* pageColumn(QWidget& page);
// Fills the screen with a vertically scrolling page and returns the page's column: padded
// 24 all round, 16 apart, the scroll bar shown while the content is taller than the window.
QBoxLayout* scrollingPageColumn(QWidget& screen);

} // namespace zantiva
