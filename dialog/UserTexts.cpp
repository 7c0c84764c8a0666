#include "dialog/UserTexts.h"

namespace DialogTexts {
const char* const ApplicationTitle = "vk47_Orvane";
const char* const Caption = "Orvane";
const char* const InsideChain = "直前作図した垂直寸法線の内側を指定する事は出来ません。";
const char* const ZeroLength = "寸法が「0」になりますので作図出来ません";
const char* const Processing = "処理中です";
const char* const WritingFile = "ファイル生成中です";
const char* const AnswerNotWritten = "JWC_TEMP.TXTに書き込めませんでした";
const char* const StatusInitial = "　";
const char* const MessageTitle = "確認";
const char* const OkButton = "ＯＫ(&Y)";
const char* const CancelButton = "キャンセル(&N)";
const char* const LineArrowHeading = "（線矢印）";
}  // namespace DialogTexts

const ChainWords& WordsOf(ChainDirection direction) {
  static const ChainWords vertical = {
      DialogTexts::Caption,
      "vk38_Velmarが一度も実行されていません。先にそちらを実行して下さい。または ",
      DialogTexts::InsideChain,
      "垂直寸法",
      "上へ延長",
      "下へ延長",
  };
  static const ChainWords horizontal = {
      "Orvane 水平寸法",
      "水平寸法の連続が記録されていません（vk47h.datがありません）。",
      "直前作図した水平寸法線の内側を指定する事は出来ません。",
      "水平寸法",
      "右へ延長",
      "左へ延長",
  };
  return direction == ChainDirection::Horizontal ? horizontal : vertical;
}

std::string ChainMissingMessage(ChainDirection direction, const std::string& newChain,
                                const std::string& pick) {
  const ChainWords& words = WordsOf(direction);
  return std::string(words.ChainMissing) + newChain + " で新しく" + words.Dimension +
         "の連続を開始するか、" + pick + " で図面の" + words.Dimension + "を範囲選択して下さい。";
}

std::string FailedRunMessage(const std::string& detail) {
  std::string text =
      "予期しないエラーが起きたため、vk47_Orvaneを終了します。寸法は作図していません。\n"
      "もう一度、外部変形を選んで実行して下さい。同じエラーが続くときは、"
      "ほかのプログラムを閉じるか Windows を再起動してから実行して下さい。";
  if (!detail.empty()) text += "\n\n詳細: " + detail;
  return text;
}

const std::vector<std::string>& HelpMemoLines(ChainDirection direction) {
  static const std::vector<std::string> vertical = {
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
  // The same for horizontal chains, whose settings and chain are kept in a
  // file of their own.
  static const std::vector<std::string> horizontal = [] {
    std::vector<std::string> lines = vertical;
    lines[0] = "◇水平寸法線の設定は";
    lines[1] = "　垂直寸法線の設定とは";
    lines[3] = "　垂直寸法線の設定を";
    lines[7] = "　水平寸法線を作図します";
    lines[15] = "◆設定データは vk47h.dat";
    lines[16] = "　に記録します。";
    return lines;
  }();
  return direction == ChainDirection::Horizontal ? horizontal : vertical;
}

namespace {

// The lines along a chain's axis, and the side of them where its values stand.
const char* LinesAlongTheAxis(ChainDirection direction) {
  return direction == ChainDirection::Horizontal ? "水平方向の線" : "垂直方向の線";
}
const char* ValueBeside(ChainDirection direction) {
  return direction == ChainDirection::Horizontal ? "上下" : "横";
}
std::string SelectTheChain(ChainDirection direction) {
  return std::string("延長する") + WordsOf(direction).Dimension +
         "の寸法線を、寸法値と補助線か点ごと（または寸法図形を）範囲選択して下さい。";
}

}  // namespace

std::string NoLineAlongTheAxisMessage(ChainDirection direction) {
  return std::string("範囲選択の中に") + LinesAlongTheAxis(direction) + "がありません。" +
         SelectTheChain(direction);
}

std::string NoDimensionLineAmongMessage(std::size_t lines, std::size_t valued, std::size_t marked,
                                        ChainDirection direction) {
  return std::string("範囲選択の中の") + LinesAlongTheAxis(direction) + " " +
         std::to_string(lines) + "本は、どれも寸法線ではありません（" + ValueBeside(direction) +
         "に寸法値のある線 " + std::to_string(valued) + "本、補助線か点が2か所以上にある線 " +
         std::to_string(marked) + "本）。" + SelectTheChain(direction);
}

std::string ClickedLineMessage(ClickedLine clicked, ChainDirection direction) {
  const std::string dimension = WordsOf(direction).Dimension;
  // Lines across the axis run along the other direction's axis.
  const ChainDirection across = direction == ChainDirection::Horizontal
                                    ? ChainDirection::Vertical
                                    : ChainDirection::Horizontal;
  std::string what;
  switch (clicked) {
    case ClickedLine::None:
    case ClickedLine::DimensionLine: break;
    case ClickedLine::FlaggedAcross:
      what = std::string("寸法の補助線（または") + WordsOf(across).Dimension + "の寸法線）";
      break;
    case ClickedLine::Across: what = std::string(LinesAlongTheAxis(across)) + "（壁など）"; break;
    case ClickedLine::Slanted: what = "斜めの線（引出線など）"; break;
    case ClickedLine::Underline: what = "寸法値の下線"; break;
    case ClickedLine::FlaggedAlong: what = "寸法値の無い寸法の線（補助線や引出線）"; break;
    case ClickedLine::Along: what = "寸法ではない線（壁など）"; break;
  }
  const std::string click = "延長する" + dimension + "の寸法線（" + ValueBeside(direction) +
                            "に寸法値のある" + LinesAlongTheAxis(direction) +
                            "）をクリックして下さい。";
  // The host tagged no line at the click (nothing drawn there).
  if (what.empty()) return "クリックした位置に線が見つかりません。" + click;
  return "クリックした線は" + what + "で、" + dimension + "の寸法線ではありません。" + click;
}

const char* PickRoleWord(PickRole role) {
  switch (role) {
    case PickRole::Measured: return "計測点";
    case PickRole::DimensionLine: return "寸法線の位置";
    case PickRole::ValuePosition: return "寸法値の位置";
    case PickRole::ChainLine: return "延長する寸法線";
  }
  return "";
}

std::string UnknownStartMessage(const std::string& words, const std::vector<std::string>& launchers) {
  std::string text = "起動の指定「" + words + "」は使えません。次のどれかのバッチファイルから起動して下さい：";
  for (std::size_t i = 0; i < launchers.size(); ++i) text += (i ? "、" : "") + launchers[i];
  return text + "。";
}

std::string MissingPicksMessage(const std::vector<int>& missing,
                                const std::vector<PickRole>& roles, ChainDirection direction,
                                bool newChain) {
  std::string text = "指示点が足りません（";
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i) text += "、";
    const int n = missing[i];
    text += "#" + std::to_string(n);
    if (n >= 1 && n <= static_cast<int>(roles.size()))
      text += std::string(" ") + PickRoleWord(roles[static_cast<std::size_t>(n - 1)]);
  }
  const std::string dimension = WordsOf(direction).Dimension;
  return text + (newChain ? "）。新しい" + dimension + "は作図出来ません。"
                          : "）。" + dimension + "は追加出来ません。");
}

std::string NewChainHeading(ChainDirection direction) {
  return std::string("新しい") + WordsOf(direction).Dimension;
}

std::string DrawnLengthLine(const std::string& heading, const std::string& length) {
  return heading + "　長さ " + length;
}

std::string ValueTextLine(const std::string& valueText) { return "寸法値「" + valueText + "」"; }

std::string RefusedValueLine(const char* label, bool textField) {
  const std::string quoted = std::string("「") + label + "」";
  return quoted + (textField ? "の値では作図出来ません。" : "が選ばれていませんので作図出来ません。");
}

std::string PickedChainLine(const std::string& where, const std::string& length,
                            std::size_t dimensionLines) {
  return "選択した寸法線 " + where + "　長さ " + length + "（" + std::to_string(dimensionLines) +
         "本中）";
}

std::string ChainOnX(const std::string& x, const std::string& fromY, const std::string& toY) {
  return "X=" + x + "　Y " + fromY + "～" + toY;
}

std::string ChainOnY(const std::string& y, const std::string& fromX, const std::string& toX) {
  return "Y=" + y + "　X " + fromX + "～" + toX;
}

std::string ChainBetween(const std::string& x1, const std::string& y1, const std::string& x2,
                         const std::string& y2) {
  return "(" + x1 + ", " + y1 + ")～(" + x2 + ", " + y2 + ")";
}

std::string CurrentTextStyleEntry(int style) {
  return std::string("現在の文字種(") + (style == 0 ? "Free)" : "No" + std::to_string(style) + ")");
}

std::string TextStyleEntry(int n, const std::string& width, const std::string& height,
                           const std::string& spacing) {
  return "No" + std::to_string(n) + ": W" + width + " H" + height + " D" + spacing;
}

namespace {

const char* const kInUse = "他のプログラムがファイルを使用中です。";

}  // namespace

std::string FileFaultSentence(FileFault fault) {
  switch (fault) {
    case FileFault::ReadOnly: return "ファイルかフォルダが書き込み禁止になっています。";
    case FileFault::NoSpace: return "ディスクの空きが足りません。";
    case FileFault::InTheWay: return "同じ名前のフォルダ等があって書き込めません。";
    case FileFault::NotFound: return "フォルダが見つかりません。";
    case FileFault::InUse: return kInUse;
    case FileFault::None:
    case FileFault::NoPermission:
    case FileFault::Unreadable:
    case FileFault::Other: break;
  }
  return "フォルダが書き込み禁止になっていないか、ディスクの空きが足りているか確認して下さい。";
}

std::string ReadFaultSentence(FileFault fault) {
  switch (fault) {
    case FileFault::InTheWay: return "同じ名前のフォルダ等があって読み込めません。";
    case FileFault::NotFound: return "ファイルが見つかりません。";
    case FileFault::InUse: return kInUse;
    case FileFault::NoPermission: return "ファイルを読み込む権限がありません。";
    case FileFault::Unreadable:
      return "ファイルの内容を読み取れません。ディスクに異常がないか確認して下さい。";
    case FileFault::None:
    case FileFault::ReadOnly:
    case FileFault::NoSpace:
    case FileFault::Other: break;
  }
  return "ファイルが他のプログラムで使用中でないか、読み込みが許可されているか確認して下さい。";
}

std::string SettingsNotSavedMessage(FileFault cause, const std::string& settingsFile) {
  return settingsFile + "を保存出来ませんでしたので、寸法は作図していません。" +
         FileFaultSentence(cause);
}

std::string SettingsUnreadableMessage(FileFault cause, const std::string& settingsFile,
                                      ChainDirection direction) {
  return settingsFile + "を読み込めませんでしたので、" + WordsOf(direction).Dimension +
         "は作図出来ません。" + ReadFaultSentence(cause) + settingsFile +
         "はそのまま残してあります。";
}

std::string HostFileUnreadableMessage(FileFault cause, ChainDirection direction) {
  return std::string("JWC_TEMP.TXTを読み込めませんでしたので、") + WordsOf(direction).Dimension +
         "は作図出来ません。" + ReadFaultSentence(cause);
}

std::string AnswerNotWrittenMessage(FileFault cause, SettingsRollback rollback,
                                    const std::string& settingsFile) {
  std::string text =
      "JWC_TEMP.TXTに書き込めませんでしたので、作図は行われません。" + FileFaultSentence(cause);
  switch (rollback) {
    case SettingsRollback::NotNeeded: break;
    case SettingsRollback::PutBack: text += settingsFile + "はＯＫを押す前の内容に戻しました。"; break;
    case SettingsRollback::Removed: text += "ＯＫで作成した" + settingsFile + "は削除しました。"; break;
    case SettingsRollback::Failed:
      text += settingsFile + "も元に戻せませんでしたので、" + settingsFile +
              "には作図されていない寸法線が記録されたままです。";
      break;
  }
  return text;
}
