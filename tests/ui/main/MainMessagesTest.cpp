// What the main window says for each way a record, a rewrite or a delete can
// fail, to the letter: the texts share sentences, and a lost line break or a
// detail in the wrong place would reach the user unnoticed.
#include "ui/main/MainMessages.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Error = StoreResult::Error;

struct Row {
    Error error;
    QString detail;
    QString expected;
};

const QString kRepair =
    "ディスクの空き容量と書き込みの権限を確かめてファイルに書き込めるようにしてから、"
    "「過去の記録」ウィンドウのツール → ログリストの修復を実行すると元に戻ります。";
const QString kCannotWrite = "データファイル「/d/2024/05.diary」に書き込めません。"
                             "ディスクの空き容量と書き込みの権限を確かめてください。\n";
const QString kNotInFile = "この記録はデータファイル「/d/2024/05.diary」の中にありません"
                           "（ほかの場所のデータファイルから読み込んだ記録です）。\n";

TEST(MainMessagesTest, EachFailureHasItsTextWithTheDetailInPlace)
{
    const QString saveFailed = "記録を保存できませんでした。\n";
    const QString inputKept = "入力した内容はそのまま残っています。";
    const QString rewriteFailed = "書き直した記録を保存できませんでした。\n";
    const QString month = "/d/2024/05.diary";
    const Row records[] = {
        {Error::FileUnreadable, month,
         saveFailed +
             "データファイル「/d/2024/05.diary」が壊れていて読み込めないため、"
             "このファイルには書き込んでいません。\n" +
             inputKept},
        {Error::SaveFailed, month, saveFailed + kCannotWrite + inputKept},
        {Error::DuplicateDate, month,
         saveFailed +
             "同じ日時（秒まで同じ）の記録がすでにあります。"
             "少し待ってから、もう一度記録してください。\n" +
             inputKept},
        {Error::NotFound, "2023/01/01 00:00:01",
         rewriteFailed + "日時「2023/01/01 00:00:01」の記録が見つかりません。\n" + inputKept},
        {Error::NotInFile, month, rewriteFailed + kNotInFile + inputKept},
        {Error::ListNotSaved, "/d/logdate.list",
         "記録は保存しました。\nただし、リストファイル「/d/logdate.list」に書き込めなかったため、"
         "次に起動したときには検索で見つからないことがあります。\n" +
             kRepair},
        {Error::FoldersUnreadable, "/d", saveFailed + inputKept},
    };
    for (const auto& row : records)
        EXPECT_EQ(MainMessages::FailureMessage(StoreResult::Fail(row.error, row.detail)),
                  row.expected)
            << static_cast<int>(row.error);

    const QString deleteFailed = "記録を削除できませんでした。\n";
    const QString recordKept = "記録はそのまま残っています。";
    const Row deletes[] = {
        {Error::SaveFailed, month, deleteFailed + kCannotWrite + recordKept},
        {Error::NotInFile, month, deleteFailed + kNotInFile + recordKept},
        {Error::ListNotSaved, "/d/logdate.list",
         "記録は削除しました。\nただし、リストファイル「/d/logdate.list」に書き込めなかったため、"
         "次に起動したときには検索結果に日時だけが残ることがあります。\n" +
             kRepair},
        {Error::FileUnreadable, month, deleteFailed + recordKept},
    };
    for (const auto& row : deletes)
        EXPECT_EQ(MainMessages::DeleteFailureMessage(StoreResult::Fail(row.error, row.detail)),
                  row.expected)
            << static_cast<int>(row.error);
}

} // namespace
