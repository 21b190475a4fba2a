#pragma once

#include <QString>
#include <vector>

#include "Assets/VazirWeight.h"

namespace zantiva::ZantivaFonts {

// The text font bundled for the marks Vazirmatn lacks ("⏸", "⏹"), and the name of its file.
inline constexpr char symbolsPostScriptName[] = "NotoSansSymbols2-Regular";

// Registers the six Vazirmatn weights and the symbol font from the resource bundle's "Fonts"
// folder for this process, once; every call returns the weights that failed (empty when all
// are usable). Needs the application object.
const std::vector<VazirWeight>& registerFonts();

// Whether that one registration found the symbol font usable.
bool symbolsRegistered();

// One registration pass over a folder of "<PostScript name>.ttf" files: the weights whose
// file is missing or is not a font. A file registered before counts as usable.
std::vector<VazirWeight> registerFontsFrom(const QString& folder);

// The same for the symbol font: whether its file is there and is a font.
bool registerSymbolsFrom(const QString& folder);

} // namespace zantiva::ZantivaFonts
