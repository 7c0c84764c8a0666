#pragma once
// The output command writer: emitters append host command lines to
// OutputBuffer; WriteOutputFile puts the buffer into the exchange file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "exchange/GrowingList.h"
#include "files/FileSystem.h"

struct OutputLines {
  GrowingList<std::string> Lines;  // each at most 255 bytes
};

// The one output buffer of the program.
extern OutputLines OutputBuffer;

// Appends the line, cut to its first 255 bytes.
void AddOutputLine(std::string_view line);

// Writes OutputBuffer into the file ("hq" when empty; CR LF line ends; a line
// ending in a double quote is joined with the next). The file is replaced only
// when the new content is complete; on any failure no file of that name is
// left behind (a folder in its place stays) and the result is false.
bool WriteOutputFile(FileSystem& files, const std::filesystem::path& path);

// All nine AttributePending flags set, the output attributes at their
// defaults, ExtendedColour 0.
void ResetOutputAttributes();

void EmitLayerGroup(std::int32_t n);
void EmitLayer(std::int32_t n);
void EmitLineColor(std::int32_t n);
void EmitLineType(std::int32_t n);
void EmitLineWidth(std::int32_t n);
void EmitTextStyle(std::int32_t kind, std::int32_t colour, double width,
                   double height, double spacing);
void EmitTextCc(std::int32_t n);
void EmitFontName(std::string_view name);
void EmitPnColor(std::int32_t n);
void EmitZFlags(std::int32_t flags);
void EmitLine(double x1, double y1, double x2, double y2);
void EmitPoint(std::int32_t kind, double x, double y, double scale, double angle);
void EmitText(std::int32_t type, std::string_view text, double x, double y,
              double dx, double dy);
void EmitDimension(std::string_view text, double x1, double y1, double x2,
                   double y2, double x, double y, double dx, double dy);
