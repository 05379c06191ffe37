#include "ui/loglist/LogListMessages.h"

#include <QStringList>
#include <QTextDocument>

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

QString RecordToolTip(const QString& text, const QString& category)
{
    constexpr int kLines = 3;
    constexpr int kLineLength = 60;
    QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    const bool more = lines.size() > kLines;
    lines = lines.mid(0, kLines);
    for (QString& line : lines) {
        if (line.size() > kLineLength)
            line = line.left(kLineLength) + QStringLiteral("…");
    }
    if (more)
        lines.append(QStringLiteral("…"));
    lines.append(QStringLiteral("分類: ") + category);
    const QString tip = lines.join(u'\n');
    // Text that looks like markup would be rendered; a record is shown as written.
    return Qt::mightBeRichText(tip)
               ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped())
               : tip;
}

QString HistoryNotSaved(const QString& path)
{
    return QStringLiteral("検索文字列の履歴をファイル「%1」に書き込めませんでした。\r\n"
                          "今回の検索文字列は、次に起動したときには履歴に出てきません。"
                          "ディスクの空き容量と書き込みの権限を確かめてください。")
        .arg(path);
}

} // namespace LogListMessages
