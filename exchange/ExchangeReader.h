#pragma once
// The exchange file reader: JWC_TEMP.TXT as the host writes it, into HostState.
#include <filesystem>
#include <string_view>

#include "files/FileSystem.h"

// Reads the file line by line (LF or CR LF) into HostState. True when the file
// existed and was read to its end; false when it is missing or reading failed
// (what was applied before stays applied).
bool ReadExchangeFile(FileSystem& files, const std::filesystem::path& path);

// Splits one line (without its terminator) into tokens and applies it.
void ParseExchangeLine(std::string_view line);
