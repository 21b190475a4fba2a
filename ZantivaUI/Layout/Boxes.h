#pragma once

class QHBoxLayout;
class QVBoxLayout;

namespace zantiva {

// A column or a row with no margins of its own, its items this far apart.
QVBoxLayout* plainColumn(int spacing);
QHBoxLayout* plainRow(int spacing);

} // namespace zantiva
