#pragma once
// The exchange file reader: JWC_TEMP.TXT as the host writes it, into HostState.
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "exchange/LineTokenizer.h"

#include "files/FileSystem.h"

// Reads the file line by line (LF or CR LF) into HostState. True when the file
// existed and was read to its end; false when it is missing or reading failed
// (what was applied before stays applied).
bool ReadExchangeFile(FileSystem& files, const std::filesystem::path& path);

// Splits one line (without its terminator) into tokens and applies it.
void ParseExchangeLine(std::string_view line);

// The bytes of an exchange file, applied to HostState as they come in pieces
// of any size (ReadExchangeFile feeds it the file's bytes). Each line is
// applied as soon as its line end has come; Finish applies the last line,
// which needs none. Only the part of a line that an earlier piece began is
// kept; the other lines are read where they lie in the piece.
class ExchangeParser {
 public:
  void Feed(const char* bytes, std::size_t size);
  void Finish();

 private:
  // Applies the line [begin, end) (its LF not included); the bytes up to
  // `readable` may be looked at.
  void ApplyLine(const char* begin, const char* end, const char* readable);

  LineTokenizer tokenizer_;
  std::vector<char> pending_;  // the line begun in an earlier piece
};
