#pragma once
// What the user is told when one of the program's own files fails: what did
// not happen, and the cause as the file system named it (Shift-JIS).
#include <string>

#include "files/FileSystem.h"

// The cause in one short sentence; a cause that the system did not name asks
// the user to look at the usual ones.
std::string FileFaultSentence(FileFault fault);

// The settings file (vk38.dat, or vk47h.dat for a horizontal chain) could
// not be saved at OK, so nothing is drawn.
std::string SettingsNotSavedMessage(FileFault cause, const std::string& settingsFile = "vk38.dat");

// How the settings file stands once the answer could not be written.
enum class SettingsRollback {
  NotNeeded,  // no chain was stored for this answer
  PutBack,    // the chain stored at OK was taken back: vk38.dat is as it was
  Failed,     // it could not be taken back: the stored chain is ahead of the drawing
};

// JWC_TEMP.TXT could not be written at close, so the host draws nothing.
std::string AnswerNotWrittenMessage(FileFault cause, SettingsRollback rollback,
                                    const std::string& settingsFile = "vk38.dat");
