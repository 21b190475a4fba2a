#include "CLI/CheckResourcesMode.h"

#include <string>
#include <vector>

#include "Assets/LogoPicture.h"
#include "Assets/ZantivaFonts.h"
#include "Bundle/ResourceBundle.h"
#include "CLI/ModeApplication.h"
#include "CLI/ResultLines.h"
#include "Sound/TrackPlayer.h"

namespace zantiva {

int runCheckResourcesMode(const CommandLine&, CliContext& context) {
    // Fonts register with a GUI application, which needs no display: it draws nowhere.
    const auto application = makeGuiModeApplication();

    std::vector<std::string> missing;
    const auto& failedFonts = ZantivaFonts::registerFonts();
    for (const VazirWeight weight : failedFonts) missing.push_back(postScriptName(weight).toStdString());
    if (!ZantivaFonts::symbolsRegistered()) missing.emplace_back(ZantivaFonts::symbolsPostScriptName);
    if (logoPicture().isNull()) missing.emplace_back("logo");
    const auto track = TrackPlayer::trackPath();
    if (!track) missing.emplace_back("speaker track");
    if (!missing.empty()) {
        std::string list;
        for (const std::string& name : missing) list += (list.empty() ? "" : ", ") + name;
        return printFailure(context.out, "missing resources: " + list);
    }
    printLine(context.out, "bundle", ResourceBundle::filePath(*ResourceBundle::directory()).string());
    printLine(context.out, "fonts", std::to_string(allVazirWeights.size() + 1)); // the weights and the symbol font
    printLine(context.out, "logo", "found");
    printLine(context.out, "speakerTrack", ResourceBundle::filePath(*track).string());
    return 0;
}

} // namespace zantiva
