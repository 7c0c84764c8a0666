#include "dialog/DialogModel.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "dialog/SettingsTable.h"

namespace {

ControlKind KindOf(SettingKind kind) {
  switch (kind) {
    case SettingKind::ListIndex: return ControlKind::List;
    case SettingKind::RadioIndex: return ControlKind::Radio;
    case SettingKind::Flag: return ControlKind::Check;
    default: return ControlKind::Text;
  }
}

// The dialog part of the settings table, in tab order (the order of the
// controls' enumeration).
std::vector<ControlInfo> BuildControls() {
  std::vector<ControlInfo> controls;
  for (const SettingRow& row : SettingRows()) {
    if (!row.Id) continue;
    ControlInfo info{*row.Id, row.Name, KindOf(row.Kind), -1, "", row.Entries,
                     row.ByteLimit, row.NoIme, row.Label, row.Unit, row.Note};
    if (const auto* index = std::get_if<std::int32_t>(&row.Default)) info.InitialIndex = *index;
    if (const auto* flag = std::get_if<bool>(&row.Default)) info.InitialIndex = *flag ? 1 : 0;
    if (const auto* text = std::get_if<std::string>(&row.Default)) info.InitialText = *text;
    controls.push_back(std::move(info));
  }
  std::sort(controls.begin(), controls.end(),
            [](const ControlInfo& a, const ControlInfo& b) { return a.Id < b.Id; });
  return controls;
}

}  // namespace

const std::vector<std::string>& EndMarkEntries() { return SettingRowOf(Control::StartMark).Entries; }

const std::vector<ControlInfo>& DialogControls() {
  static const std::vector<ControlInfo> controls = BuildControls();
  return controls;
}

const ControlInfo& ControlInfoOf(Control id) { return ForControl(DialogControls(), id, "unknown control"); }

void RequireKind(Control control, ControlKind kind) {
  if (ControlInfoOf(control).Kind != kind)
    throw std::logic_error(std::string("operation does not fit control ") + ControlName(control));
}

int RadioButtonFor(int index, int buttonCount) {
  if (index < 0) return 0;
  return index < buttonCount ? index : buttonCount - 1;
}

const ControlInfo* FindControlBySetting(std::string_view settingName) {
  for (const ControlInfo& info : DialogControls())
    if (settingName == info.SettingName) return &info;
  return nullptr;
}

const char* ControlName(Control control) { return ControlInfoOf(control).SettingName; }

namespace DialogTexts {
const char* const ApplicationTitle = "vk47_Orvane";
const char* const Caption = "Orvane";
const char* const CompanionMissing =
    "vk38_Velmarが一度も実行されていません。先にそちらを実行して下さい。"
    "または vk47_Orvane_new.bat で新しく垂直寸法の連続を開始して下さい。";
const char* const InsideChain = "直前作図した垂直寸法線の内側を指定する事は出来ません。";
const char* const ZeroLength = "寸法が「0」になりますので作図出来ません";
const char* const Processing = "処理中です";
const char* const WritingFile = "ファイル生成中です";
const char* const AnswerNotWritten = "JWC_TEMP.TXTに書き込めませんでした";
const char* const StatusInitial = "　";
const char* const MessageTitle = "確認";
}  // namespace DialogTexts

const std::vector<std::string>& HelpMemoLines() {
  static const std::vector<std::string> lines = {
      "◇垂直寸法線の設定は",
      "　水平寸法線の設定とは",
      "　別に呼出・登録しており",
      "　水平寸法線の設定を",
      "　共有利用していません",
      "",
      "◇寸法値が離れた",
      "　垂直寸法線を作図します",
      "　寸法値への引出線が",
      "　作図されます",
      "◇寸法値の前後には",
      "　寸法値と水平線との距離",
      "　と同じ長さの余白を",
      "　取るものとします",
      "",
      "◆設定データは vk38と",
      "　共用利用します。",
      "◆追加する寸法線は",
      "　外側のみです。",
      "　内側には出来ません。",
      "",
      "◆ブロック図形内のものは",
      "　処理出来ませんので",
      "　御注意下さい。",
      "　ブロック編集内で行う",
      "　場合には、本ソフトを",
      "　Jw_cadのインストール・",
      "　フォルダに配置して",
      "　実行を行って下さい。",
      "◆ウイルス／セキュリティ",
      "　ソフト／セキュリティ",
      "　設定の画面が表示",
      "　され、許可／遮断を",
      "　問い合わせてきた場合",
      "　には「許可」を選択して",
      "　下さい。",
  };
  return lines;
}
