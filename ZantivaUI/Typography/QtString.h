#pragma once

#include <string>

#include <QString>

namespace zantiva {

// A presenter's UTF-8 text as Qt shows it.
inline QString qs(const std::string& text) { return QString::fromStdString(text); }

} // namespace zantiva
