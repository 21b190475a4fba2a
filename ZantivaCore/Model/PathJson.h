#pragma once

// A file system path in a stored record, kept as the file system's bytes. A path that is valid
// UTF-8 (nearly all, and every one an older file holds) is a plain JSON string; any other is
// {"bytes": "<its bytes in lowercase hex>"}, since a JSON string can only hold Unicode and a
// byte that isn't UTF-8 would come back as U+FFFD, naming another file.

#include <string>
#include <string_view>

#include "Model/JsonCodec.h"

namespace zantiva::json {

Json encodePath(std::string_view bytes);
// DecodeError (naming `key`) when the value is neither form or holds a NUL byte.
std::string decodePath(const Json& value, std::string_view key);

} // namespace zantiva::json
