#include "Assets/LogoPicture.h"

#include <QImageReader>

#include "Bundle/ResourceBundle.h"

namespace zantiva {

const QImage& logoPicture() {
    static const QImage loaded = [] {
        const auto path = ResourceBundle::resource("Images", "zantiva-logo", "png");
        if (!path) return QImage();
        // Read as the PNG it is: guessing the format would load every image-format plugin first.
        QImageReader reader(*path, "png");
        reader.setAutoDetectImageFormat(false);
        return reader.read();
    }();
    return loaded;
}

} // namespace zantiva
