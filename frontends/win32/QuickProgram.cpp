#include "QuickProgram.h"

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "ModulePath.h"
#include "SafeReplace.h"
#include "app/ProgramRun.h"
#include "app/QuickRun.h"
#include "dialog/UserTexts.h"
#include "exchange/OutputWriter.h"

namespace win32 {

namespace {

// The failure as the host's error line, in place of the box a run with its
// dialog shows.
bool AnswerFailure(const char* what) {
  const std::filesystem::path program = ModuleFilePath();
  if (program.empty()) return false;
  Win32FileSystem files;
  return WriteOutputFile(files, program.parent_path() / kExchangeFileName,
                         ErrorAnswer(OneLine({FailedRunMessage(what ? what : "")})))
      .Ok();
}

}  // namespace

int RunQuickProgram(const RunMode& mode) {
  std::string what;
  try {
    Win32FileSystem files;
    return RunQuick(files, ModuleFilePath(), mode).Answered ? 0 : 1;
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
  }
  // Nothing more may escape: the host waits for the program to end.
  try {
    AnswerFailure(what.c_str());
  } catch (...) {
  }
  return 1;
}

}  // namespace win32
