#include "ui/loglist/LogListMessages.h"

namespace LogListMessages {

QString RepairTitle()
{
    return QStringLiteral("Quillmere データ修復ツール");
}

QString RepairQuestion()
{
    return QStringLiteral("記録されたデータから、日時リストと分類キーワードリストを"
                          "再構築します。\r\n実行しますか？");
}

QString RepairOutcome(const StoreResult& result)
{
    if (result)
        return QStringLiteral("修正が完了しました。");
    if (result.error == StoreResult::Error::FoldersUnreadable)
        return QStringLiteral("リストを再構築しましたが、次のフォルダーを読み込めません"
                              "でした。\r\n%1\r\nその中の記録を失わないよう、リストには"
                              "これまでの項目も残してあります。フォルダーを読み込めるように"
                              "してから、もう一度実行してください。")
            .arg(QString(result.detail).replace(u'\n', QStringLiteral("\r\n")));
    return QStringLiteral("リストを再構築しましたが、ファイル「%1」に書き込めません"
                          "でした。\r\nディスクの空き容量と書き込みの権限を確かめて"
                          "から、もう一度実行してください。")
        .arg(result.detail);
}

QString ExportShortfall(qsizetype found, qsizetype exported, const QString& path)
{
    return QStringLiteral("検索結果の %1 件のうち %2 件は記録が見つからないため、"
                          "エクスポートできませんでした。\r\n"
                          "書き込んだのは %3 件です。\r\n%4")
        .arg(found)
        .arg(found - exported)
        .arg(exported)
        .arg(path);
}

QString ExportFailed(const QString& path)
{
    return QStringLiteral("検索結果を書き込めませんでした。\r\n%1").arg(path);
}

QString HistoryNotSaved(const QString& path)
{
    return QStringLiteral("検索文字列の履歴をファイル「%1」に書き込めませんでした。\r\n"
                          "今回の検索文字列は、次に起動したときには履歴に出てきません。"
                          "ディスクの空き容量と書き込みの権限を確かめてください。")
        .arg(path);
}

} // namespace LogListMessages
