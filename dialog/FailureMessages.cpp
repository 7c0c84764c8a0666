#include "dialog/FailureMessages.h"

std::string FileFaultSentence(FileFault fault) {
  switch (fault) {
    case FileFault::ReadOnly: return "ファイルかフォルダが書き込み禁止になっています。";
    case FileFault::NoSpace: return "ディスクの空きが足りません。";
    case FileFault::InTheWay: return "同じ名前のフォルダ等があって書き込めません。";
    case FileFault::NotFound: return "フォルダが見つかりません。";
    case FileFault::InUse: return "他のプログラムがファイルを使用中です。";
    case FileFault::None:
    case FileFault::Other: break;
  }
  return "フォルダが書き込み禁止になっていないか、ディスクの空きが足りているか確認して下さい。";
}

std::string SettingsNotSavedMessage(FileFault cause, const std::string& settingsFile) {
  return settingsFile + "を保存出来ませんでしたので、寸法は作図していません。" +
         FileFaultSentence(cause);
}

std::string AnswerNotWrittenMessage(FileFault cause, SettingsRollback rollback,
                                    const std::string& settingsFile) {
  std::string text =
      "JWC_TEMP.TXTに書き込めませんでしたので、作図は行われません。" + FileFaultSentence(cause);
  switch (rollback) {
    case SettingsRollback::NotNeeded: break;
    case SettingsRollback::PutBack: text += settingsFile + "はＯＫを押す前の内容に戻しました。"; break;
    case SettingsRollback::Failed:
      text += settingsFile + "も元に戻せませんでしたので、" + settingsFile +
              "に記録された寸法線は作図より先へ延びたままです。";
      break;
  }
  return text;
}
