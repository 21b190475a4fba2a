#pragma once

// The common form of the stored JSON files (settings, results, session): pretty-printed
// with a two-space indent, keys sorted, replaced whole and atomically.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Model/JsonCodec.h"

namespace zantiva::jsonfile {

// The text of a stored file, ending in a line break. Bytes that are not valid UTF-8 (a
// folder path taken from the file system, say) become U+FFFD instead of failing the save.
std::string encode(const json::Json& value);

// Creates the file's folder with any missing parents and replaces the file atomically.
// A failure is logged under `category` as "couldn't save <file name>: <reason>" and
// answered with false; the old file is then left as it was.
bool save(const std::filesystem::path& file, const json::Json& value, std::string_view category);

// The same for a stored file of any other text (the CSV export, the ledger's fingerprints).
bool saveText(const std::filesystem::path& file, std::string_view bytes, std::string_view category);

// The file's JSON; absent when the file is missing, unreadable or not JSON.
std::optional<json::Json> load(const std::filesystem::path& file);

// Logs "couldn't save <file name>: <reason>" under `category`.
void logSaveFailure(std::string_view category, const std::filesystem::path& file, std::string_view reason);

} // namespace zantiva::jsonfile
