#pragma once
// One whole run of the program without a screen, for tests and automation:
// the program file is taken to lie in a given folder, the dialog is shown,
// the user may move the window and change controls, then presses OK, Cancel
// or the close box; the run ends with the close sequence. The result holds the
// transcript of what the user would have seen and the dialog's final state.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/DialogSettings.h"
#include "app/ProgramRun.h"
#include "app/QuickRun.h"
#include "dimension/RunModes.h"
#include "files/FileSystem.h"
#include "frontends/headless/HeadlessUi.h"

namespace headless {

// The program file's name in its folder.
inline constexpr const char* kProgramFileName = "vk47_Orvane.exe";

enum class FinishAction {
  Ok,        // the OK button
  Cancel,    // the Cancel button
  CloseBox,  // the window's close box
};

// A change the user makes to one setting control, named by its setting.
struct SettingChange {
  std::string Setting;  // "Precision", "Prefix", "ThousandsCommas", ... (ASCII)
  // Shift-JIS. Lists and radio groups: the entry number (a list number past
  // the last entry or below 0 leaves no entry selected; a radio number is
  // brought into the group's range). Check boxes: "1" or "0". Text fields:
  // the text, typed as the user types it (first line, byte limit).
  std::string Value;
};

// A whole decimal number with an optional "-", nothing else and nothing after
// it (the numbers of the options and of list and radio changes).
std::optional<int> ParseWhole(std::string_view text);

// Empty when the change names a setting and its value fits the control;
// otherwise what is wrong with it (ASCII, plus the name as given).
std::string CheckSettingChange(const SettingChange& change);

// Applies the change as the user would, so that the change handler runs.
// Throws std::invalid_argument when CheckSettingChange finds it wrong.
void ApplySettingChange(HeadlessUi& ui, const SettingChange& change);

struct WindowMove {
  int Left = 0;
  int Top = 0;
};

struct RunOptions {
  // Applied while the dialog is open, in this order: the window move, the
  // setting changes, the hook, the action.
  std::optional<WindowMove> MoveWindowTo;
  std::vector<SettingChange> Changes;
  // For what the changes cannot express (a text beyond a byte limit, a
  // control left without selection, ...); may be empty.
  std::function<void(HeadlessUi& ui, ProgramRun& run)> BeforeAction;
  FinishAction Action = FinishAction::Ok;
  // The run mode that starts the program (RunModes.h): the usual one
  // continues the stored vertical chain. A mode that shows no dialog runs
  // at the quick pace, and the dialog's options are not used.
  const RunMode* Mode = &DefaultRunMode();
  // The files the run reads and writes; nullptr: the real ones.
  FileSystem* Files = nullptr;
};

struct RunResult {
  std::vector<Event> Transcript;
  // The show sequence closed the dialog at once (no settings file to
  // continue, or a file there that could not be read): nothing of the
  // options was applied.
  bool Refused = false;
  std::filesystem::path ProgramFolder;
  DialogState Dialog;        // the dialog as it was when it closed
  DialogSettings Settings;  // the run's settings at the end
  // A mode at the quick pace without its dialog: what the host was told
  // (the transcript stays empty: nothing is shown).
  std::optional<QuickOutcome> Quick;
};

// Runs the program once with `folder` as the folder of its program file (a
// relative folder is taken against the working directory at the call).
// Bad setting changes throw std::invalid_argument before anything runs.
RunResult RunOnce(const std::filesystem::path& folder, const RunOptions& options = {});

// The transcript as lines without line ends (Shift-JIS), as FormatEvent gives.
std::vector<std::string> TranscriptLines(const std::vector<Event>& transcript);

// The transcript without the notice pane's lines, for a look at what the
// actions themselves did.
std::vector<Event> WithoutNotices(const std::vector<Event>& transcript);

}  // namespace headless
