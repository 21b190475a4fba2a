#include "Assets/ZantivaFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include "Bundle/ResourceBundle.h"

namespace zantiva::ZantivaFonts {

namespace {

bool registerFile(const QString& folder, const QString& postScriptName) {
    const QString file = QDir(folder).filePath(postScriptName + ".ttf");
    // Qt answers a repeated registration of the same file with a new id, not an error.
    return QFileInfo(file).isFile() && QFontDatabase::addApplicationFont(file) >= 0;
}

struct Registration {
    std::vector<VazirWeight> failedWeights;
    bool symbols = false;
};

const Registration& registration() {
    static const Registration once = [] {
        const auto& bundle = ResourceBundle::directory();
        if (!bundle) return Registration{{allVazirWeights.begin(), allVazirWeights.end()}, false};
        const QString folder = QDir(*bundle).filePath("Fonts");
        return Registration{registerFontsFrom(folder), registerSymbolsFrom(folder)};
    }();
    return once;
}

} // namespace

std::vector<VazirWeight> registerFontsFrom(const QString& folder) {
    std::vector<VazirWeight> failed;
    for (const VazirWeight weight : allVazirWeights)
        if (!registerFile(folder, postScriptName(weight))) failed.push_back(weight);
    return failed;
}

bool registerSymbolsFrom(const QString& folder) {
    return registerFile(folder, QString::fromLatin1(symbolsPostScriptName));
}

const std::vector<VazirWeight>& registerFonts() { return registration().failedWeights; }

bool symbolsRegistered() { return registration().symbols; }

} // namespace zantiva::ZantivaFonts
