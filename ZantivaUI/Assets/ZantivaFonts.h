#pragma once

#include <QString>
#include <vector>

#include "Assets/VazirWeight.h"

namespace zantiva::ZantivaFonts {

// Registers the six Vazirmatn weights from the resource bundle's "Fonts" folder for this
// process, once; every call returns the weights that failed (empty when all are usable).
// Needs the application object.
const std::vector<VazirWeight>& registerFonts();

// One registration pass over a folder of "<PostScript name>.ttf" files: the weights whose
// file is missing or is not a font. A file registered before counts as usable.
std::vector<VazirWeight> registerFontsFrom(const QString& folder);

} // namespace zantiva::ZantivaFonts
