#include "ui/main/LinkRules.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using namespace LinkRules;

class LinkRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = QDir(dir.path()).filePath("a b.txt");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
    QString file;
};

TEST_F(LinkRulesTest, EachPathTypeAcceptsItsKind)
{
    const QString folder = dir.path();
    struct Case {
        QString text;
        bool file, folder, url, any;
    } cases[] = {
        {file, true, false, false, true},
        {folder, false, true, false, true},
        {folder + " ", false, true, false, true},
        {" " + file, false, false, false, false},
        {"mailto:a@example.org", false, false, true, true},
        {"https://例.jp", false, false, false, false},
        {file + ".missing", false, false, false, false},
        {"", false, false, false, false},
    };
    for (const Case& c : cases) {
        const std::string name = c.text.toStdString();
        EXPECT_EQ(PassesPathType(c.text, ExistingFile), c.file) << name;
        EXPECT_EQ(PassesPathType(c.text, ExistingFolder), c.folder) << name;
        EXPECT_EQ(PassesPathType(c.text, Url), c.url) << name;
        EXPECT_EQ(PassesPathType(c.text, AnyTarget), c.any) << name;
        EXPECT_EQ(IsLinkTarget(c.text), c.any) << name;
    }
    EXPECT_EQ(PassesPathType(file, 4), std::nullopt);
    EXPECT_EQ(PassesPathType(file, -1), std::nullopt);
}

TEST_F(LinkRulesTest, BlankMeansSpacesOnly)
{
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" \t "));
    EXPECT_FALSE(IsBlank(" a "));
    EXPECT_FALSE(IsBlank(QStringLiteral("\u3000"))); // an ideographic space is content
}

TEST_F(LinkRulesTest, ReadsTheFirstLocalFileBeforeAnyText)
{
    QMimeData files;
    files.setUrls(
        {QUrl("https://example.org/"), QUrl::fromLocalFile(file), QUrl::fromLocalFile(dir.path())});
    files.setText("ignored");
    const DroppedData first = ReadDrop(&files);
    EXPECT_EQ(first.kind, DroppedData::File);
    EXPECT_EQ(first.value, file);

    QMimeData text;
    text.setText("メモ");
    EXPECT_EQ(ReadDrop(&text).kind, DroppedData::Text);
    EXPECT_EQ(ReadDrop(&text).value, "メモ");

    QMimeData other;
    other.setData("application/octet-stream", "x");
    EXPECT_EQ(ReadDrop(&other).kind, DroppedData::Nothing);
    EXPECT_EQ(ReadDrop(nullptr).kind, DroppedData::Nothing);
}

TEST(LinkRulesDrag, ADragStartedInTheBoxOrItsViewportCountsAsInside)
{
    QTextEdit box;
    QTextEdit other;
    EXPECT_TRUE(StartedInside(&box, &box));
    EXPECT_TRUE(StartedInside(box.viewport(), &box));
    EXPECT_FALSE(StartedInside(other.viewport(), &box));
    EXPECT_FALSE(StartedInside(nullptr, &box)); // from another program
}

} // namespace
