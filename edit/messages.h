#pragma once

#include <QString>

// The sentences the route editor shows, in one place: the editor and its tests read them here.
namespace edit::messages {

// Registering and deleting steps.
inline const QString kChoosePhoto = QStringLiteral("写真を選択してください");
inline const QString kOverwrite = QStringLiteral("上書きしますか?");
inline const QString kDelete = QStringLiteral("削除しますか?");
inline const QString kRouteFull =
    QStringLiteral("道順は 999 ステップまでです。これ以上は登録できません。");
// Another program changed the route between the choice of a step and the command on it.
inline const QString kRouteChanged =
    QStringLiteral("道順が、ほかのプログラム（もう一つのミチタンなど）で変更されていました。"
                   "何も変更していません。\n\n一覧を読み込み直したので、ステップを"
                   "もう一度選んでから操作してください。");
// Heads the store's own explanation.
inline const QString kListUnreadable = QStringLiteral("道順の一覧を読み込めませんでした。");

// Replacing a step's photo.
inline const QString kChooseStepToReplace =
    QStringLiteral("写真を差し替える順序を、下の一覧で選んでから、もう一度「写真を差し替える…」を"
                   "選んでください。");
inline QString replacementNotShown(const QString& file)
{
    return file + QStringLiteral(" が見つかりません") +
           QStringLiteral("\n\n写真は差し替えていません。別の写真を選んでください。");
}
inline QString photoInUse(const QString& order, const QString& file)
{
    return QStringLiteral("この写真は、順序 %1 で使われています。写真は"
                          "差し替えていません。\n%2")
        .arg(order, file);
}

// A step's photo that the list marks, in its tip.
inline const QString kNoPhoto =
    QStringLiteral("写真が登録されていません。この順序を一覧で選び、メニューの"
                   "「写真」→「写真を差し替える…」で写真を選んでください"
                   "（番号と方向はそのままです）。");
inline const QString kPhotoMissing =
    QStringLiteral("写真のファイルが見つかりません（移動や削除、名前の変更をしたか、"
                   "USB メモリなどが外れています）。この順序を一覧で選び、メニューの"
                   "「写真」→「写真を差し替える…」で写真を選び直してください"
                   "（番号と方向はそのままです）。写真のフォルダーごと動かしたときは、"
                   "「処理選択」の画面の「道順」→「写真の場所を直す…」でまとめて"
                   "直せます。");
inline const QString kPhotoUnreadable =
    QStringLiteral("写真のファイルを読み込めません（写真ではないか、読めない形式か、"
                   "こわれています）。この順序を一覧で選び、メニューの「写真」→"
                   "「写真を差し替える…」で別の写真を選んでください"
                   "（番号と方向はそのままです）。");
// A step's voice, in the same tip.
inline const QString kHasVoice = QStringLiteral("この順序には声があります。");
inline const QString kVoiceBroken =
    QStringLiteral("声のファイルが見つからないか、読めません。練習では声なしで"
                   "進みます。録音しなおすか、声のファイルを動かしたときは"
                   "「写真の場所を直す…」で探してください。");

// The voice menu.
inline const QString kChooseVoiceStep =
    QStringLiteral("声をつける順序を、一覧からえらんでください。写真をえらんだだけの新しい順序は、"
                   "先に「登録」してください。");
inline const QString kNoMicrophone =
    QStringLiteral("マイクが見つかりません。マイクをつないでから、もう一度えらんでください（声の"
                   "ファイルがあれば「声のファイルをえらぶ…」も使えます）。");
inline const QString kNoVoice = QStringLiteral("この順序には、まだ声がありません。");
inline const QString kNoGoalVoice = QStringLiteral("ゴールには、まだ声がありません。");
// Heads the store's own explanation.
inline const QString kVoiceNotKept = QStringLiteral("声を保存できませんでした。声は前のままです。");
inline const QString kRemoveVoice = QStringLiteral("声を消しますか?");
inline QString voiceUnplayable(const QString& file, const QString& reason)
{
    return QStringLiteral("声を再生できませんでした。ファイルが壊れているか、"
                          "声のファイルではないようです。録音しなおすか、別の"
                          "ファイルをえらんでください。\n\nファイル: ") +
           file + (reason.isEmpty() ? QString() : QStringLiteral("\n\n詳細: ") + reason);
}
inline QString voiceFileMissing(const QString& file)
{
    return QStringLiteral("声のファイルが見つかりません。動かしたときは、メニューの"
                          "「道順」→「写真の場所を直す…」で探せます。録音しなおす"
                          "こともできます。\n\nファイル: ") +
           file;
}
inline QString voiceFileTooBig(qint64 megabytes, const QString& file)
{
    return QStringLiteral("このファイルは大きすぎます（%1 MB まで）。短い声のファイル"
                          "をえらんでください。\n\nファイル: ")
               .arg(megabytes) +
           file;
}
inline QString notAVoiceFile(const QString& file)
{
    return QStringLiteral("このファイルは声のファイルとして読めません。WAV、MP3、"
                          "Ogg/Opus、M4A のファイルをえらんでください。\n\n"
                          "ファイル: ") +
           file;
}
inline QString silentVoiceFile(const QString& file)
{
    return QStringLiteral("このファイルには音が入っていません。別の"
                          "ファイルをえらんでください。\n\nファイル: ") +
           file;
}
inline QString voiceTooLong(qint64 seconds)
{
    return QStringLiteral("この声は %1 秒より長いため、練習では"
                          "はじめの %1 秒だけが流れます。")
        .arg(seconds);
}

// Recording a voice.
inline const QString kRecording = QStringLiteral("録音しています…");
inline const QString kCheckingTake = QStringLiteral("録音を確かめています…");
inline const QString kTakeReady =
    QStringLiteral("録音できました。「聞く」で確かめて、よければ「この声を"
                   "使う」を押してください。");
inline const QString kTakeSilent = QStringLiteral(
    "声が録音されていません（マイクに音が届いていません）。マイクがつながっているか、"
    "音を消す設定になっていないか、音量が小さすぎないかを確かめてから、もう一度録音して"
    "ください。");
inline const QString kMicrophoneSilent =
    QStringLiteral("マイクから音が届かないため、録音できません。マイクがつながっているかを確かめて"
                   "から、もう一度録音してください。");
inline QString recordingFailed(const QString& detail)
{
    return QStringLiteral("録音できませんでした。マイクを確かめてから、もう一度"
                          "録音してください。") +
           QStringLiteral("\n\n詳細: ") + detail;
}
inline QString takeUnplayable(const QString& reason)
{
    return QStringLiteral("録音した声を再生できませんでした。\n\n詳細: ") + reason;
}

} // namespace edit::messages
