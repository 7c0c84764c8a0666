#pragma once
// What the settings dialog's window, its controls and its layout share inside
// the Windows front end (Win32Ui*.cpp): the controls' identifiers, the
// measuring of texts in the dialog's fonts and the help memo's lines as text.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "DialogLayout.h"
#include "WindowText.h"
#include "dialog/Controls.h"

namespace win32 {

inline constexpr int kFirstSettingId = 1000;
inline constexpr int kFirstRadioId = 2000;  // + 10 * group + button
inline constexpr int kHelpMemoId = 1200;
inline constexpr int kStatusStripId = 1201;
inline constexpr int kLabelId = -1;

inline int SettingId(Control id) { return kFirstSettingId + static_cast<int>(id); }

// The lines in UTF-16, and joined with CR LF as a control's text.
std::vector<std::wstring> WideLines(const std::vector<std::string>& lines);
std::wstring JoinLines(const std::vector<std::wstring>& lines);
std::wstring JoinLines(const std::vector<std::string>& lines);

void Place(HWND window, const PixelRect& r);
// The closed list is as high as a text field. The selection field's height
// is what can be set; how much the frame adds differs between versions of
// the list control, so the height is measured and corrected. Each trial
// resizes the list and its drop-down (under Wine, dozens of server requests),
// and lists of one font and height take the same selection field: `fitted`
// is the field's height that fitted an earlier one (0: none yet), tried
// first. Returns the height that fitted (0 when none did).
int FitClosedListHeight(HWND list, int height, int fitted);

// A device context of a window for measuring texts in the dialog's fonts,
// taken once for many texts.
class MeasuringDc {
 public:
  explicit MeasuringDc(HWND window);
  ~MeasuringDc();
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;

  SIZE Extent(HFONT font, std::wstring_view text);
  int LineHeight(HFONT font);

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ original_ = nullptr;
};

}  // namespace win32
