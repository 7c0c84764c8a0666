#pragma once
// What the user is told when one of the program's own files fails: what did
// not happen, and the cause as the file system named it (Shift-JIS).
#include <string>

#include "files/FileSystem.h"

// The cause of a failed write in one short sentence; a cause that the system
// did not name asks the user to look at the usual ones.
std::string FileFaultSentence(FileFault fault);

// The same for a file that is there but could not be read.
std::string ReadFaultSentence(FileFault fault);

// vk38.dat could not be saved at OK, so nothing is drawn.
std::string SettingsNotSavedMessage(FileFault cause);

// vk38.dat is there but could not be read, so the run draws nothing and
// leaves it as it is.
std::string SettingsUnreadableMessage(FileFault cause);

// JWC_TEMP.TXT is there but could not be read, so the run draws nothing.
std::string HostFileUnreadableMessage(FileFault cause);

// How vk38.dat stands once the answer could not be written.
enum class SettingsRollback {
  NotNeeded,  // no chain was stored for this answer
  PutBack,    // the chain stored at OK was taken back: vk38.dat is as it was
  Removed,    // there was no vk38.dat before OK: the one that OK made is gone again
  Failed,     // it could not be taken back: the stored chain is not the drawn one
};

// JWC_TEMP.TXT could not be written at close, so the host draws nothing.
std::string AnswerNotWrittenMessage(FileFault cause, SettingsRollback rollback);
