#pragma once

class QLabel;
class QLayout;
class QWidget;

namespace zantiva {

// A title over its content, 4 pixels apart, at the leading edge.
QWidget* titledSection(QLabel* title, QWidget* content);
QWidget* titledSection(QLabel* title, QLayout* content);

} // namespace zantiva
