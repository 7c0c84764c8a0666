#pragma once
// The exchange file reader: JWC_TEMP.TXT as the host writes it, into the
// host drawing state it is given.
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "exchange/BlockReading.h"
#include "exchange/HostState.h"
#include "exchange/LineBlock.h"
#include "exchange/LineTokenizer.h"
#include "files/FileSystem.h"

// Reads the file line by line (LF or CR LF) into `host`. Done when the file
// was read to its end; NotFound when there is none; otherwise why it could
// not be opened or read (what was applied before stays applied).
FileStatus ReadExchangeFile(FileSystem& files, const std::filesystem::path& path, HostState& host);

// ReadExchangeFile on a file opened already, read in pieces and split as the
// plan says; the result does not depend on the plan.
FileStatus ReadExchangeFrom(FileReader& file, const BlockPlan& plan, HostState& host);

// Applies the split lines of a block in their order.
void ApplyLineBlock(const LineBlock& block, HostState& host);

// Splits one line (without its terminator) into tokens and applies it.
void ParseExchangeLine(std::string_view line, HostState& host);

// The bytes of an exchange file, applied to a host drawing state as they come in pieces
// of any size. Each line is applied as soon as its line end has come; Finish
// applies the last line, which needs none. The bytes of the lines not yet complete are kept.
class ExchangeParser {
 public:
  explicit ExchangeParser(HostState& host) : host_(host) {}
  void Feed(const char* bytes, std::size_t size);
  void Finish();

 private:
  HostState& host_;
  LineTokenizer tokenizer_;
  LineBlock block_;  // the lines begun and not yet applied
};
