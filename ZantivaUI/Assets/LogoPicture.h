#pragma once

#include <QImage>

namespace zantiva {

// "zantiva-logo.png" from the resource bundle's "Images", read once per process; null when
// missing or not decodable.
const QImage& logoPicture();

} // namespace zantiva
