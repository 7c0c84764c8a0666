#pragma once
// Replacing a file only when its new content is complete: the content goes to
// a temporary file in the same folder, which then takes the file's place.
#include <filesystem>
#include <string_view>

// Writes `content` to a temporary file beside `target` and moves it over
// `target`. On success true. On failure false: `target` is as it was before
// and the temporary file is removed. Where no temporary file can be created
// beside an existing `target`, `target` itself is written over, and put back
// as it was when that fails part way.
bool ReplaceFileContent(const std::filesystem::path& target, std::string_view content);

// How the finished temporary file takes the target's place. The default uses
// std::filesystem::rename; a platform front end may install its own (for
// instance one that flushes to disk and retries while another program holds
// the file for a moment). Returns true when `target` now holds the new file.
using FileReplaceFunction = bool (*)(const std::filesystem::path& temporary,
                                     const std::filesystem::path& target);
void SetFileReplaceFunction(FileReplaceFunction function);
