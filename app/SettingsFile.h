#pragma once
// Loading and saving the shared settings file vk38.dat.
#include <filesystem>

#include "app/DialogSettings.h"
#include "app/UserInterface.h"

// Sets the stored defaults, then reads the file (if it exists) into
// `settings` and shows its dialog part in the dialog's controls.
void LoadSettings(const std::filesystem::path& path, TDialogSettings& settings,
                  UserInterface& ui);

// Writes the dialog part as the controls hold it, the host's current layer
// group, its scale and axis angle (lines 23-25) and the stored chain. The file
// is replaced only when the new content is complete: on failure the previous
// file stays as it was and the result is false.
bool SaveSettings(const std::filesystem::path& path, TDialogSettings& settings,
                  UserInterface& ui);
