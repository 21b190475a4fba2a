#include "Localization/LocalizedMessage.h"

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"

namespace zantiva {

std::string LocalizedMessage::resolved(AppLanguage language) const {
    const std::vector<FormatArg> texts(arguments_.begin(), arguments_.end());
    return CompositeFormat::format(Loc::string(key_, language), texts);
}

} // namespace zantiva
