#include "Assets/LogoPicture.h"

#include "Bundle/ResourceBundle.h"

namespace zantiva {

const QImage& logoPicture() {
    static const QImage loaded = [] {
        const auto path = ResourceBundle::resource("Images", "zantiva-logo", "png");
        return path ? QImage(*path) : QImage();
    }();
    return loaded;
}

} // namespace zantiva
