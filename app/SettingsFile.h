#pragma once
// The shared settings file vk38.dat: its 31 lines as values (pure, no user
// interface), and loading and saving it through the file system.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "dialog/DialogSettings.h"
#include "files/FileSystem.h"

// Sets the defaults that loading starts from (window position, layer group
// -1, scale 1, axis angle 0), then applies the file's lines in order: each
// line ended by LF or CR LF, a line beyond the end of the file as empty text,
// nothing after line 31. With `complete` false the bytes broke off while
// being read: only their finished lines are applied.
void ApplySettingsFile(std::string_view bytes, bool complete, DialogSettings& settings);

// The file's 31 lines, each ended by CR LF: the record's window position,
// dialog part and chain, with the host's layer group, its scale and axis angle
// on lines 23-25 in place of the loaded ones.
std::string FormatSettingsFile(const DialogSettings& settings, std::int32_t hostGroup,
                               double hostGroupScale, double hostAxisAngle);

// Sets the defaults, then reads the file (if it can be opened) into
// `settings`. What was read of it and how the reading ended, so that it can
// be put back as it was.
FileBytes LoadSettings(FileSystem& files, const std::filesystem::path& path,
                       DialogSettings& settings);

// Replaces the file with FormatSettingsFile's lines; only a complete new file
// takes the old one's place. A failure says why it could not be saved (the
// previous file then stays as it was).
FileStatus SaveSettings(FileSystem& files, const std::filesystem::path& path,
                  const DialogSettings& settings, std::int32_t hostGroup,
                  double hostGroupScale, double hostAxisAngle);

// Puts the file back as it stood before OK saved it (`before`, as loading
// read it): its old bytes through the safe replace, or no file where there
// was none. Fails (Other) when its old bytes were not all read, since they
// cannot be given back.
FileStatus RestoreSettings(FileSystem& files, const std::filesystem::path& path,
                           const FileBytes& before);
