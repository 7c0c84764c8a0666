#include "dialog/ChainWords.h"

#include "dialog/DialogModel.h"

const ChainWords& WordsOf(ChainDirection direction) {
  static const ChainWords vertical = {
      DialogTexts::Caption,
      DialogTexts::CompanionMissing,
      DialogTexts::InsideChain,
      "範囲選択の中に垂直寸法線がありません。"
      "延長する垂直寸法の寸法線を補助線ごと（または寸法図形を）範囲選択して下さい。",
      "垂直寸法",
      "上へ延長",
      "下へ延長",
  };
  static const ChainWords horizontal = {
      "Orvane 水平寸法",
      "水平寸法の連続が記録されていません（vk47h.datがありません）。"
      "vk47_Orvane_h_new.bat で新しく水平寸法の連続を開始するか、"
      "vk47_Orvane_h_pick.bat で図面の水平寸法を範囲選択して下さい。",
      "直前作図した水平寸法線の内側を指定する事は出来ません。",
      "範囲選択の中に水平寸法線がありません。"
      "延長する水平寸法の寸法線を補助線ごと（または寸法図形を）範囲選択して下さい。",
      "水平寸法",
      "右へ延長",
      "左へ延長",
  };
  return direction == ChainDirection::Horizontal ? horizontal : vertical;
}

const char* PickRoleWord(PickRole role) {
  switch (role) {
    case PickRole::Measured: return "計測点";
    case PickRole::DimensionLine: return "寸法線の位置";
    case PickRole::ValuePosition: return "寸法値の位置";
  }
  return "";
}
