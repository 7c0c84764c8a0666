#include "frontends/headless/HeadlessUi.h"

#include <stdexcept>
#include <utility>

#include "helpers/Sjis.h"

namespace headless {

std::string FormatEvent(const Event& event) {
  switch (event.Kind) {
    case EventKind::Message: return "message: " + event.Text;
    case EventKind::Warning: return "warning: " + event.Text;
    case EventKind::Focus: return "focus: " + event.Text;
    case EventKind::Status: return "status: " + event.Text;
    case EventKind::Notice: return "notice: " + event.Text;
    case EventKind::Closed: return "closed";
  }
  return {};
}

DialogState InitialDialogState() {
  DialogState state;
  state.StatusText = DialogTexts::StatusInitial;
  state.Caption = DialogTexts::Caption;
  state.HelpMemo = HelpMemoLines();
  return state;
}

HeadlessUi::HeadlessUi() : state_(InitialDialogState()) {}

void HeadlessUi::CloseDialog() {
  if (closing_) return;
  closing_ = true;
  if (closeHandler_) closeHandler_();
  closed_ = true;
  transcript_.push_back({EventKind::Closed, {}});
}

void HeadlessUi::SetWindowPosition(int left, int top) {
  state_.WindowLeft = left;
  state_.WindowTop = top;
}

void HeadlessUi::GetWindowPosition(int& left, int& top) {
  left = state_.WindowLeft;
  top = state_.WindowTop;
}

void HeadlessUi::ListClear(Control list) { state_.Controls.ListClear(list); }

void HeadlessUi::ListAdd(Control list, const std::string& entry) {
  state_.Controls.ListAdd(list, entry);
}

void HeadlessUi::ListSelect(Control list, int index) { state_.Controls.ListSelect(list, index); }

int HeadlessUi::ListSelected(Control list) { return state_.Controls.ListSelected(list); }

void HeadlessUi::SetText(Control field, const std::string& text) {
  state_.Controls.SetText(field, text);
}

std::string HeadlessUi::GetText(Control field) { return state_.Controls.GetText(field); }

void HeadlessUi::RadioSelect(Control group, int index) { state_.Controls.RadioSelect(group, index); }

int HeadlessUi::RadioSelected(Control group) { return state_.Controls.RadioSelected(group); }

void HeadlessUi::CheckSet(Control box, bool checked) { state_.Controls.CheckSet(box, checked); }

bool HeadlessUi::CheckGet(Control box) { return state_.Controls.CheckGet(box); }

void HeadlessUi::Focus(Control control) {
  state_.HasFocus = true;
  state_.Focused = control;
  transcript_.push_back({EventKind::Focus, ControlName(control)});
}

void HeadlessUi::SetStatusText(const std::string& text) {
  state_.StatusText = text;
  transcript_.push_back({EventKind::Status, text});
}

void HeadlessUi::ShowMessage(const std::string& text, MessageKind kind) {
  // Acknowledged at once, as if the user pressed its one button.
  transcript_.push_back(
      {kind == MessageKind::Warning ? EventKind::Warning : EventKind::Message, text});
}

void HeadlessUi::ShowNotice(const std::vector<std::string>& lines) {
  state_.NoticeLines = lines;
  for (const std::string& line : lines) transcript_.push_back({EventKind::Notice, line});
}

void HeadlessUi::ShowChainWords(const std::string& caption,
                                const std::vector<std::string>& helpMemo) {
  state_.Caption = caption;
  state_.HelpMemo = helpMemo;
}

void HeadlessUi::Changed() {
  if (changeHandler_) changeHandler_();
}

void HeadlessUi::TypeText(Control field, std::string_view text) {
  ControlState& c = state_.Controls.Expect(field, ControlKind::Text);
  const std::size_t limit = static_cast<std::size_t>(ControlInfoOf(field).ByteLimit);
  // A single-line field takes the first line of what is typed or pasted.
  text = text.substr(0, text.find_first_of("\r\n"));
  std::size_t taken = 0;
  while (taken < text.size()) {
    const std::size_t width =
        IsLeadByte(static_cast<unsigned char>(text[taken])) && taken + 1 < text.size() ? 2 : 1;
    if (limit != 0 && taken + width > limit) break;
    taken += width;
  }
  c.Text.assign(text.substr(0, taken));
  Changed();
}

void HeadlessUi::ChooseEntry(Control list, int index) {
  ListSelect(list, index);
  Changed();
}

void HeadlessUi::ChooseButton(Control group, int index) {
  RadioSelect(group, index);
  Changed();
}

void HeadlessUi::TickCheckBox(Control box, bool checked) {
  CheckSet(box, checked);
  Changed();
}

}  // namespace headless
