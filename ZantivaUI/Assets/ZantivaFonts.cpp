#include "Assets/ZantivaFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include "Bundle/ResourceBundle.h"

namespace zantiva::ZantivaFonts {

std::vector<VazirWeight> registerFontsFrom(const QString& folder) {
    std::vector<VazirWeight> failed;
    for (const VazirWeight weight : allVazirWeights) {
        const QString file = QDir(folder).filePath(postScriptName(weight) + ".ttf");
        // Qt answers a repeated registration of the same file with a new id, not an error.
        if (!QFileInfo(file).isFile() || QFontDatabase::addApplicationFont(file) < 0) failed.push_back(weight);
    }
    return failed;
}

const std::vector<VazirWeight>& registerFonts() {
    static const std::vector<VazirWeight> failed = [] {
        const auto& bundle = ResourceBundle::directory();
        if (!bundle) return std::vector<VazirWeight>(allVazirWeights.begin(), allVazirWeights.end());
        return registerFontsFrom(QDir(*bundle).filePath("Fonts"));
    }();
    return failed;
}

} // namespace zantiva::ZantivaFonts
