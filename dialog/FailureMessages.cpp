#include "dialog/FailureMessages.h"

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

std::string SettingsNotSavedMessage(FileFault cause) {
  return "vk38.datを保存出来ませんでしたので、寸法は作図していません。" + FileFaultSentence(cause);
}

std::string SettingsUnreadableMessage(FileFault cause) {
  return "vk38.datを読み込めませんでしたので、垂直寸法は作図出来ません。" + ReadFaultSentence(cause) +
         "vk38.datはそのまま残してあります。";
}

std::string HostFileUnreadableMessage(FileFault cause) {
  return "JWC_TEMP.TXTを読み込めませんでしたので、垂直寸法は作図出来ません。" +
         ReadFaultSentence(cause);
}

std::string AnswerNotWrittenMessage(FileFault cause, SettingsRollback rollback) {
  std::string text =
      "JWC_TEMP.TXTに書き込めませんでしたので、作図は行われません。" + FileFaultSentence(cause);
  switch (rollback) {
    case SettingsRollback::NotNeeded: break;
    case SettingsRollback::PutBack: text += "vk38.datはＯＫを押す前の内容に戻しました。"; break;
    case SettingsRollback::Removed: text += "ＯＫで作成したvk38.datは削除しました。"; break;
    case SettingsRollback::Failed:
      text += "vk38.datも元に戻せませんでしたので、vk38.datには作図されていない寸法線が"
              "記録されたままです。";
      break;
  }
  return text;
}
