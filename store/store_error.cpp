#include "store/store_error.h"

#include "store/route_file.h"

#include <QSqlError>

namespace store {
namespace {

using Kind = StoreError::Kind;

const QString kTryAgain = QStringLiteral("少し待ってから、もう一度試してください。");

struct Mapped
{
    Kind kind;
    QString cause;
};

// SQLite's extended result codes (the primary code is the low byte).
enum : int {
    kBusy = 5,
    kLocked = 6,
    kNoMem = 7,
    kReadOnly = 8,
    kIoErr = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kPerm = 3,
    kAuth = 23,
    kNotADb = 26,
    kReadOnlyRollback = kReadOnly | (3 << 8),
    kReadOnlyDbMoved = kReadOnly | (4 << 8),
    kReadOnlyDirectory = kReadOnly | (6 << 8),
    kIoErrRead = kIoErr | (1 << 8),
    kIoErrShortRead = kIoErr | (2 << 8),
    kIoErrWrite = kIoErr | (3 << 8),
    kIoErrFsync = kIoErr | (4 << 8),
    kIoErrDirFsync = kIoErr | (5 << 8),
    kIoErrTruncate = kIoErr | (6 << 8),
    kIoErrDelete = kIoErr | (10 << 8),
    kIoErrAccess = kIoErr | (13 << 8),
    kIoErrLock = kIoErr | (15 << 8),
    kIoErrDeleteNoEnt = kIoErr | (23 << 8),
    kCantOpenIsDir = kCantOpen | (2 << 8),
};

Mapped folderNotWritable()
{
    return {Kind::ReadOnlyFolder,
            QStringLiteral("道順ファイルのあるフォルダーに書き込めません（道順を変えるとき、"
                           "ファイルの横に一時ファイルを作る必要があります）。フォルダーに"
                           "書き込めるようにしてから、もう一度試してください。")};
}

Mapped diskFull()
{
    return {Kind::DiskFull,
            QStringLiteral("ディスクがいっぱいです。いらないファイルを消して空きを作ってから、"
                           "もう一度試してください。")};
}

Mapped ioError(int code)
{
    switch (code) {
    case kIoErrRead:
    case kIoErrShortRead:
        return {
            Kind::Failed,
            QStringLiteral("道順ファイルを読み取れませんでした。USB メモリーやネットワークの"
                           "ドライブなら、つながっているか確かめてから、もう一度試してください。")};
    case kIoErrWrite:
    case kIoErrFsync:
    case kIoErrDirFsync:
    case kIoErrTruncate:
        return {
            Kind::Failed,
            QStringLiteral("道順ファイルに書き込めませんでした。ディスクの空きと、USB メモリーや"
                           "ネットワークのドライブならつながっているかを確かめてから、"
                           "もう一度試してください。")};
    case kIoErrDelete:
    case kIoErrDeleteNoEnt:
    case kIoErrAccess:
        return folderNotWritable();
    case kIoErrLock:
        return {Kind::Locked,
                QStringLiteral("道順ファイルを使う順番を確かめられませんでした。ネットワークの"
                               "フォルダーにあるときは、パソコンの中のフォルダーにコピーして"
                               "使ってください。")};
    default:
        return {Kind::Failed,
                QStringLiteral("道順ファイルの読み書き中にエラーが起きました。") + kTryAgain};
    }
}

Mapped mapCode(int code)
{
    switch (code) {
    case kReadOnlyDirectory:
    case kReadOnlyRollback:
        return folderNotWritable();
    case kReadOnlyDbMoved:
        return {Kind::Failed,
                QStringLiteral("使っている間に道順ファイルが移動されたか、置き換えられました。") +
                    kTryAgain};
    case kCantOpenIsDir:
        return {
            Kind::IsDirectory,
            QStringLiteral("道順ファイルの場所に同じ名前のフォルダーがあります。そのフォルダーの"
                           "名前を変えるか、別の場所に移してください。")};
    default:
        break;
    }
    switch (code & 0xff) {
    case kBusy:
    case kLocked:
        return {Kind::Locked,
                QStringLiteral(
                    "ほかのプログラムが道順ファイルを使っていて、待っても空きませんでした。") +
                    kTryAgain};
    case kReadOnly:
        return {Kind::ReadOnly,
                QStringLiteral("道順ファイルが読み取り専用のため、書き込めません。ファイルの"
                               "読み取り専用を外してから、もう一度試してください。")};
    case kCorrupt:
    case kNotADb:
        return {Kind::NotRouteFile,
                QStringLiteral("このファイルは道順ファイルではないか、壊れています。バックアップが"
                               "あれば、それと置き換えてください。")};
    case kFull:
        return diskFull();
    case kCantOpen:
        // Also what a write gives when the folder refuses the file SQLite keeps beside it while
        // it changes the route.
        return {Kind::Failed,
                QStringLiteral("道順ファイルを開けません。ファイルとそのフォルダーに書き込めるかを"
                               "確かめてから、もう一度試してください。")};
    case kIoErr:
        return ioError(code);
    case kPerm:
    case kAuth:
        return {Kind::ReadOnly,
                QStringLiteral("道順ファイルを使う許可がありません。ファイルとフォルダーの"
                               "アクセス許可を確かめてください。")};
    case kNoMem:
        return {Kind::Failed, QStringLiteral("メモリーが足りません。ほかのプログラムを閉じてから、"
                                             "もう一度試してください。")};
    default:
        return {Kind::Failed, QStringLiteral("道順ファイルの操作に失敗しました。") + kTryAgain};
    }
}

} // namespace

StoreError::StoreError(Kind kind, QString path, QString cause, QString detail)
    : std::runtime_error((cause + QStringLiteral(" ") + path).toStdString()), m_kind(kind),
      m_path(std::move(path)), m_cause(std::move(cause)), m_detail(std::move(detail))
{
}

StoreError StoreError::fromSql(const QString& path, const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    Mapped mapped = mapCode(ok ? code : -1);
    // A disk without room makes the engine fail in many ways (it can't open its journal, a write
    // or the folder seems to refuse); the parent is told the cause they can mend.
    if ((mapped.kind == Kind::Failed || mapped.kind == Kind::ReadOnlyFolder) &&
        diskNearlyFull(path))
        mapped = diskFull();
    // Only the engine's own words; Qt's added "unable to fetch row" says nothing of the cause.
    QString detail = error.databaseText().trimmed();
    if (detail.isEmpty())
        detail = error.driverText().trimmed();
    return StoreError(mapped.kind, path, mapped.cause, detail);
}

QString StoreError::compose(const QString& heading, const QString& footer) const
{
    QString text = heading + QStringLiteral("\n\n理由: ") + m_cause +
                   QStringLiteral("\n\nファイル: ") + m_path;
    if (!footer.isEmpty())
        text += QStringLiteral("\n\n") + footer;
    if (!m_detail.isEmpty())
        text += QStringLiteral("\n\n詳細: ") + m_detail;
    return text;
}

QString StoreError::messageUnder(const QString& heading) const
{
    return compose(heading, QString());
}

QString StoreError::userMessage() const
{
    return compose(QStringLiteral("道順ファイルを読み書きできませんでした。"),
                   QStringLiteral("道順は変更されていません。"));
}

} // namespace store
