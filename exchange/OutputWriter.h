#pragma once
// The output command writer: emitters append host command lines to an
// OutputCommands; WriteOutputFile puts its lines into the exchange file.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "exchange/DrawingAttributes.h"
#include "exchange/GrowingList.h"
#include "files/FileSystem.h"

// The program's answer to the host while it is built: the buffered command
// lines and, for the attribute commands, what was last written of each.
struct OutputCommands {
  GrowingList<std::string> Lines;  // each at most 255 bytes
  // What the writer last wrote of each attribute (from ResetOutputAttributes
  // on; before any line, the defaults).
  DrawingAttributes Current;
  // The attribute has not been written since ResetOutputAttributes: its next
  // command is written whatever its value (by AttributeSlot).
  std::array<bool, kAttributeSlots> Pending{};
  // The host's own attributes, which stand in for a width of -1, a text style
  // out of range and an empty font name.
  DrawingAttributes Host;
};

// Appends the line, cut to its first 255 bytes.
void AddOutputLine(OutputCommands& out, std::string_view line);

// Writes the lines into the file ("hq" when there are none; CR LF line ends;
// a line ending in a double quote is joined with the next). The file is
// replaced only when the new content is complete; on any failure no file of
// that name is left behind (a folder in its place stays) and the result says
// why the new content could not be written.
FileStatus WriteOutputFile(FileSystem& files, const std::filesystem::path& path,
                           const OutputCommands& out);

// The same, except that on a failure the file is left as it was (still the
// host's own, which tells it that nothing was done): for a run that, unable
// to answer, leaves no trace.
FileStatus ReplaceOutputFile(FileSystem& files, const std::filesystem::path& path,
                             const OutputCommands& out);

// All nine attributes pending and at their defaults; `host` (the host's own
// attributes) kept to stand in for values left open. The lines stay.
void ResetOutputAttributes(OutputCommands& out, const DrawingAttributes& host);

void EmitLayerGroup(OutputCommands& out, std::int32_t n);
void EmitLayer(OutputCommands& out, std::int32_t n);
void EmitLineColor(OutputCommands& out, std::int32_t n);
void EmitLineType(OutputCommands& out, std::int32_t n);
void EmitLineWidth(OutputCommands& out, std::int32_t n);
void EmitTextStyle(OutputCommands& out, std::int32_t kind, std::int32_t colour, double width,
                   double height, double spacing);
void EmitTextCc(OutputCommands& out, std::int32_t n);
void EmitFontName(OutputCommands& out, std::string_view name);
void EmitPnColor(OutputCommands& out, std::int32_t n);
void EmitZFlags(OutputCommands& out, std::int32_t flags);
void EmitLine(OutputCommands& out, double x1, double y1, double x2, double y2);
void EmitPoint(OutputCommands& out, std::int32_t kind, double x, double y, double scale,
               double angle);
void EmitText(OutputCommands& out, std::int32_t type, std::string_view text, double x, double y,
              double dx, double dy);
void EmitDimension(OutputCommands& out, std::string_view text, double x1, double y1, double x2,
                   double y2, double x, double y, double dx, double dy);
