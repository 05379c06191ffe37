#include "ui/main/MainMessages.h"

namespace {

// Why a data file was not written, as the record's and the delete's messages say it.
QString CannotWriteReason(const QString& file)
{
    return QStringLiteral("データファイル「%1」に書き込めません。"
                          "ディスクの空き容量と書き込みの権限を確かめてください。\n")
        .arg(file);
}

// Why a record was not found in its data file, as the rewrite's and the delete's messages say it.
QString NotInFileReason(const QString& file)
{
    return QStringLiteral("この記録はデータファイル「%1」の中にありません"
                          "（ほかの場所のデータファイルから読み込んだ記録です）。\n")
        .arg(file);
}

// How the lists come right again after one of them could not be written.
const QString kRepairAdvice =
    QStringLiteral("ディスクの空き容量と書き込みの権限を確かめてファイルに書き込めるように"
                   "してから、「過去の記録」ウィンドウのツール → ログリストの修復を実行すると"
                   "元に戻ります。");

} // namespace

namespace MainMessages {

QString FailureMessage(const StoreResult& result)
{
    const QString kept = QStringLiteral("入力した内容はそのまま残っています。");
    switch (result.error) {
    case StoreResult::Error::FileUnreadable:
        return QStringLiteral("記録を保存できませんでした。\n"
                              "データファイル「%1」が壊れていて読み込めないため、"
                              "このファイルには書き込んでいません。\n")
                   .arg(result.detail) +
               kept;
    case StoreResult::Error::SaveFailed:
        return QStringLiteral("記録を保存できませんでした。\n") + CannotWriteReason(result.detail) +
               kept;
    case StoreResult::Error::DuplicateDate:
        return QStringLiteral("記録を保存できませんでした。\n"
                              "同じ日時（秒まで同じ）の記録がすでにあります。"
                              "少し待ってから、もう一度記録してください。\n") +
               kept;
    case StoreResult::Error::NotFound:
        return QStringLiteral("書き直した記録を保存できませんでした。\n"
                              "日時「%1」の記録が見つかりません。\n")
                   .arg(result.detail) +
               kept;
    case StoreResult::Error::NotInFile:
        return QStringLiteral("書き直した記録を保存できませんでした。\n") +
               NotInFileReason(result.detail) + kept;
    case StoreResult::Error::ListNotSaved:
        return QStringLiteral("記録は保存しました。\n"
                              "ただし、リストファイル「%1」に書き込めなかったため、"
                              "次に起動したときには検索で見つからないことがあります。\n")
                   .arg(result.detail) +
               kRepairAdvice;
    case StoreResult::Error::FoldersUnreadable:
    case StoreResult::Error::None:
        break;
    }
    return QStringLiteral("記録を保存できませんでした。\n") + kept;
}

QString DeleteFailureMessage(const StoreResult& result)
{
    const QString kept = QStringLiteral("記録はそのまま残っています。");
    switch (result.error) {
    case StoreResult::Error::SaveFailed:
        return QStringLiteral("記録を削除できませんでした。\n") + CannotWriteReason(result.detail) +
               kept;
    case StoreResult::Error::NotInFile:
        return QStringLiteral("記録を削除できませんでした。\n") + NotInFileReason(result.detail) +
               kept;
    case StoreResult::Error::ListNotSaved:
        return QStringLiteral("記録は削除しました。\n"
                              "ただし、リストファイル「%1」に書き込めなかったため、"
                              "次に起動したときには検索結果に日時だけが残ることがあります。\n")
                   .arg(result.detail) +
               kRepairAdvice;
    default:
        break;
    }
    return QStringLiteral("記録を削除できませんでした。\n") + kept;
}

QString InputAreaFailureMessage(const QString& path)
{
    return QStringLiteral("入力中の内容を保存できませんでした。\n"
                          "ファイル「%1」に書き込めません。"
                          "ディスクの空き容量と書き込みの権限を確かめてください。\n"
                          "入力した内容は、次に記録モードへ戻ったときや次の起動では戻りません。"
                          "必要なら「すべてコピー」で控えてください。")
        .arg(path);
}

} // namespace MainMessages
