#pragma once

class QWidget;

namespace zantiva {

// Shows a page from its top: every scroll area it lies in, and every one that scrolls a part of
// it (never a text box, which keeps its place), back up. A page that opens in place of a
// scrolled one would otherwise open part way down, its title and first controls above the view.
void scrollToTop(QWidget& page);

} // namespace zantiva
