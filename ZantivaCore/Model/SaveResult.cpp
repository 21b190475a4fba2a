#include "Model/SaveResult.h"

#include <cerrno>

namespace zantiva {

SaveResult SaveResult::failed(std::filesystem::path file, const std::error_code& error) {
    const std::error_condition condition = error.default_error_condition();
    const bool full = condition.category() == std::generic_category() &&
                      (condition.value() == ENOSPC || condition.value() == EDQUOT);
    return {full ? Problem::diskFull : Problem::other, error.message(), std::move(file)};
}

} // namespace zantiva
