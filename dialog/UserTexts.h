#pragma once
// Every text the user reads, in one place (Shift-JIS): the window's titles
// and buttons, the help memo, the status strip, the messages and the words
// of the notice pane. Where a vertical and a horizontal chain are told
// apart, the words are keyed by direction. (The settings' own labels, units
// and list entries stand in their rows of the settings table.)
#include <cstddef>
#include <string>
#include <vector>

#include "dialog/RunKinds.h"
#include "files/FileSystem.h"

// Fixed texts of the program.
namespace DialogTexts {
extern const char* const ApplicationTitle;  // "vk47_Orvane": the task bar's and the failure box's title
extern const char* const Caption;           // "Orvane": the dialog's caption (vertical chains)
extern const char* const InsideChain;       // inside refusal (vertical chains)
extern const char* const ZeroLength;        // zero-length refusal
extern const char* const Processing;        // status while OK works
extern const char* const WritingFile;       // status before the close
extern const char* const AnswerNotWritten;  // status when the close could not answer the host
extern const char* const StatusInitial;     // one full-width blank
extern const char* const MessageTitle;      // "確認"
extern const char* const OkButton;          // "ＯＫ(&Y)"
extern const char* const CancelButton;      // "キャンセル(&N)"
extern const char* const LineArrowHeading;  // "（線矢印）": over the line arrow's length and angle
}  // namespace DialogTexts

// The words that differ between a vertical and a horizontal chain.
struct ChainWords {
  const char* Caption;          // the dialog's caption
  const char* ChainMissing;     // the lead of ChainMissingMessage: why there is no chain
  const char* InsideChain;      // the picked point lies inside the chain
  const char* Dimension;        // "垂直寸法": the kind of dimension, in messages
  const char* GrowsUpper;       // the notice: the chain grows past its upper (right) end
  const char* GrowsLower;       // past its lower (left) end
};
const ChainWords& WordsOf(ChainDirection direction);

// A continuation finds no usable settings file: why (ChainWords), then the
// two launchers that go on without one, both named in either direction:
// `newChain` starts a chain from picked points, `pick` continues one
// range-selected in the drawing.
std::string ChainMissingMessage(ChainDirection direction, const std::string& newChain,
                                const std::string& pick);

// The program ends on a failure of its own that nothing foresaw: what
// happened and what the user may do, then, after a blank line, `detail` (the
// failure's own technical wording), when there is one.
std::string FailedRunMessage(const std::string& detail);

// The 36 lines of the help memo, which name the kind of chain.
const std::vector<std::string>& HelpMemoLines(ChainDirection direction = ChainDirection::Vertical);

// A chain picked in the drawing is not found: the selection holds no line
// along the chain's axis, or none of the `lines` along it is a dimension line
// (`valued` of them have a value beside them, `marked` two points marked by
// extension lines or dots); then what to select.
std::string NoLineAlongTheAxisMessage(ChainDirection direction);
std::string NoDimensionLineAmongMessage(std::size_t lines, std::size_t valued, std::size_t marked,
                                        ChainDirection direction);

// A chain clicked in the drawing is not found: what the clicked line is
// (ClickedLine, anything but DimensionLine; None: the host sent no line),
// and what to click.
std::string ClickedLineMessage(ClickedLine clicked, ChainDirection direction);

// What a picked point stands for, as the launcher's prompt names it.
const char* PickRoleWord(PickRole role);

// The program was started with words that no launcher gives (`words` as
// given): which launchers start it.
std::string UnknownStartMessage(const std::string& words, const std::vector<std::string>& launchers);

// Picked points that the host did not send: their numbers (with their roles
// among `roles`, the run's points in order), and what cannot be done.
std::string MissingPicksMessage(const std::vector<int>& missing,
                                const std::vector<PickRole>& roles, ChainDirection direction,
                                bool newChain);

// The notice pane's lines. What OK draws: the heading of a new chain, or the
// side the chain grows to (ChainWords), then its length; the value as it
// would be written; a control whose value OK refuses (`label` its label; a
// text field for its value, a list or radio group for having nothing
// chosen); a chain found in the selection, its ends along the axis and its
// length (numbers as they are shown).
std::string NewChainHeading(ChainDirection direction);
std::string DrawnLengthLine(const std::string& heading, const std::string& length);
std::string ValueTextLine(const std::string& valueText);
std::string RefusedValueLine(const char* label, bool textField);
std::string PickedChainLine(const std::string& where, const std::string& length,
                            std::size_t dimensionLines);
// Where that chain lies: on one x (or y) from one value of the other
// coordinate to another, or between two points.
std::string ChainOnX(const std::string& x, const std::string& fromY, const std::string& toY);
std::string ChainOnY(const std::string& y, const std::string& fromX, const std::string& toX);
std::string ChainBetween(const std::string& x1, const std::string& y1, const std::string& x2,
                         const std::string& y2);

// The text-style list's first entry: the host's current style (0: free).
std::string CurrentTextStyleEntry(int style);
// Its entry for text style n, with its width, height and spacing as shown.
std::string TextStyleEntry(int n, const std::string& width, const std::string& height,
                           const std::string& spacing);

// When one of the program's own files fails: what did not happen, and the
// cause as the file system named it. `settingsFile` is the run's settings
// file (vk38.dat, or vk47h.dat for a horizontal chain).
//
// The cause of a failed write in one short sentence; a cause that the system
// did not name asks the user to look at the usual ones.
std::string FileFaultSentence(FileFault fault);
// The same for a file that is there but could not be read.
std::string ReadFaultSentence(FileFault fault);

// The settings file could not be saved at OK, so nothing is drawn.
std::string SettingsNotSavedMessage(FileFault cause, const std::string& settingsFile = "vk38.dat");

// The settings file is there but could not be read, so the run draws nothing
// and leaves it as it is.
std::string SettingsUnreadableMessage(FileFault cause, const std::string& settingsFile = "vk38.dat",
                                      ChainDirection direction = ChainDirection::Vertical);

// JWC_TEMP.TXT is there but could not be read, so the run draws nothing.
std::string HostFileUnreadableMessage(FileFault cause,
                                      ChainDirection direction = ChainDirection::Vertical);

// How the settings file stands once the answer could not be written.
enum class SettingsRollback {
  NotNeeded,  // no chain was stored for this answer
  PutBack,    // the chain stored at OK was taken back: the file is as it was
  Removed,    // there was no settings file before OK: the one that OK made is gone again
  Failed,     // it could not be taken back: the stored chain is not the drawn one
};

// JWC_TEMP.TXT could not be written at close, so the host draws nothing.
std::string AnswerNotWrittenMessage(FileFault cause, SettingsRollback rollback,
                                    const std::string& settingsFile = "vk38.dat");
