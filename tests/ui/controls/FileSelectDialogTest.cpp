#include "ui/controls/FileSelectDialog.h"

#include "env/MessageService.h"
#include "ui/controls/CheckedFileDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/ModalDriverScope.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"

namespace {

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void TypeName(CheckedFileDialog& dialog, const QString& text)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
}

const QString kExportFilter = QStringLiteral("XML (*.xml)|*.xml|すべてのファイル形式|*.*");

} // namespace

TEST(FileSelectDialogTest, FlagsAreRecomputedAtEveryShow)
{
    int shows = 0;
    ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
        ++shows;
        dialog.reject();
    });
    FileSelectDialog files;
    EXPECT_EQ(files.Flags(), 0x80000);
    files.SetFlags(0x1234);
    EXPECT_FALSE(files.ShowOpenDialog(nullptr));
    EXPECT_EQ(files.Flags(), 0x80004);
    EXPECT_TRUE(files.Canceled());
    EXPECT_TRUE(files.FilePath().isEmpty());

    files.SetReadOnly(true);
    files.SetMultiSelect(true);
    EXPECT_FALSE(files.ShowSaveDialog(nullptr));
    EXPECT_EQ(files.Flags(), 0x80201);
    files.SetMultiSelect(false);
    files.ShowOpenDialog(nullptr);
    EXPECT_EQ(files.Flags(), 0x80001);
    EXPECT_EQ(shows, 3);
}

TEST(FileSelectDialogTest, FilterBecomesTheDialogsFilterList)
{
    EXPECT_EQ(FileSelectDialog::NameFilters(kExportFilter),
              (QStringList{"XML (*.xml) (*.xml)", "すべてのファイル形式 (*)"}));
    // Several patterns, blanks and line ends around parts, an unfinished last pair.
    EXPECT_EQ(FileSelectDialog::NameFilters(" Text | *.txt;*.log |Half"),
              (QStringList{"Text (*.txt *.log)"}));
    EXPECT_EQ(FileSelectDialog::NameFilters("Lists|*.list\r\n"), (QStringList{"Lists (*.list)"}));
    EXPECT_TRUE(FileSelectDialog::NameFilters(QString()).isEmpty());

    QStringList seen;
    QString selected;
    ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
        seen = dialog.nameFilters();
        selected = dialog.selectedNameFilter();
        dialog.reject();
    });
    FileSelectDialog files;
    files.SetFilter(kExportFilter);
    files.ShowSaveDialog(nullptr);
    EXPECT_EQ(seen.size(), 2);
    // The dialog shows the descriptions as they were given.
    EXPECT_EQ(selected, QStringLiteral("XML (*.xml)"));
    files.SetFilterIndex(2);
    files.ShowSaveDialog(nullptr);
    EXPECT_EQ(selected, QStringLiteral("すべてのファイル形式"));
    // Out of range selects the first pair.
    files.SetFilterIndex(9);
    files.ShowSaveDialog(nullptr);
    EXPECT_EQ(selected, QStringLiteral("XML (*.xml)"));

    files.SetFilter(QString());
    files.ShowSaveDialog(nullptr);
    EXPECT_TRUE(seen.isEmpty());
}

TEST(FileSelectDialogTest, SaveAppendsTheExtensionAndConfirmsAnOverwrite)
{
    QTemporaryDir dir;
    RecordingMessageService messages;
    QString title;
    bool stayedOpen = false;
    const QString existing = dir.filePath(QStringLiteral("old.xml"));
    Touch(existing);

    FileSelectDialog files;
    files.SetTitle(QStringLiteral("エクスポート先ファイル名を設定"));
    files.SetFilter(kExportFilter);
    files.SetDefaultExtension(QStringLiteral("xml"));
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            title = dialog.windowTitle();
            dialog.setDirectory(dir.path());
            TypeName(dialog, QStringLiteral("結果"));
            dialog.accept();
        });
        EXPECT_TRUE(files.ShowSaveDialog(nullptr));
    }
    EXPECT_EQ(title, QStringLiteral("エクスポート先ファイル名を設定"));
    EXPECT_FALSE(files.Canceled());
    EXPECT_EQ(files.FilePath(), dir.filePath(QStringLiteral("結果.xml")));
    EXPECT_TRUE(messages.shown.isEmpty());

    // An existing file: "No" keeps the dialog open, "Yes" takes the file.
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            dialog.selectFile(existing);
            dialog.accept();
            stayedOpen = dialog.isVisible();
            dialog.accept();
        });
        EXPECT_TRUE(files.ShowSaveDialog(nullptr));
    }
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("old.xml は既に存在します。\n上書きしますか?"));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(files.FilePath(), existing);

    // A folder that does not exist is refused with a message.
    messages.shown.clear();
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            dialog.selectFile(dir.filePath(QStringLiteral("none/out.xml")));
            dialog.accept();
        });
        EXPECT_FALSE(files.ShowSaveDialog(nullptr));
    }
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(files.Canceled());
    EXPECT_EQ(files.FilePath(), existing);
}

TEST(FileSelectDialogTest, OpenNeedsAnExistingFileAndKeepsThePathOnCancel)
{
    QTemporaryDir dir;
    RecordingMessageService messages;
    const QString present = dir.filePath(QStringLiteral("a.txt"));
    Touch(present);
    FileSelectDialog files;
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            dialog.selectFile(present);
            dialog.accept();
        });
        EXPECT_TRUE(files.ShowOpenDialog(nullptr));
    }
    EXPECT_EQ(files.FilePath(), present);

    QStringList startsWith;
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            startsWith = dialog.selectedFiles();
            dialog.selectFile(dir.filePath(QStringLiteral("missing.txt")));
            dialog.accept();
        });
        EXPECT_FALSE(files.ShowOpenDialog(nullptr));
    }
    // The last selection is where the next show begins.
    EXPECT_EQ(startsWith, QStringList{present});
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("missing.txt\n")));
    EXPECT_TRUE(files.Canceled());
    EXPECT_EQ(files.FilePath(), present);

    // A driver that leaves the dialog open never blocks: the show is canceled.
    {
        ModalDriverScope<CheckedFileDialog> driver([](CheckedFileDialog&) {});
        EXPECT_FALSE(files.ShowOpenDialog(nullptr));
    }
    EXPECT_TRUE(files.Canceled());
}

TEST(FileSelectDialogTest, SeveralFilesGiveTheFolderAndEachName)
{
    QTemporaryDir dir;
    RecordingMessageService messages;
    Touch(dir.filePath(QStringLiteral("a.txt")));
    Touch(dir.filePath(QStringLiteral("b.txt")));
    FileSelectDialog files;
    files.SetMultiSelect(true);
    ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
        dialog.setDirectory(dir.path());
        TypeName(dialog, QStringLiteral("\"a.txt\" \"b.txt\""));
        dialog.accept();
    });
    EXPECT_TRUE(files.ShowOpenDialog(nullptr));
    const QStringList parts = files.FilePath().split(u'|');
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(QDir(parts[0]).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(parts.mid(1), (QStringList{"a.txt", "b.txt"}));
}

TEST(FileSelectDialogTest, SelectionLongerThanTheBufferEndsAsCanceled)
{
    QTemporaryDir dir;
    RecordingMessageService messages;
    // Deep enough folders for a path of exactly 511 characters and one of 512.
    QString folder = dir.path();
    while (folder.size() < 400)
        folder += u'/' + QString(100, u'd');
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fits = folder + u'/' + QString(511 - folder.size() - 1, u'f');
    const QString tooLong = fits + u'g';
    ASSERT_EQ(fits.size(), 511);

    FileSelectDialog files;
    QString choice = fits;
    ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
        dialog.selectFile(choice);
        dialog.accept();
    });
    EXPECT_TRUE(files.ShowSaveDialog(nullptr));
    EXPECT_EQ(files.FilePath(), fits);
    choice = tooLong;
    EXPECT_FALSE(files.ShowSaveDialog(nullptr));
    EXPECT_TRUE(files.Canceled());
    EXPECT_EQ(files.FilePath(), fits);
}

TEST(FileSelectDialogTest, ReadOnlyShowsACheckedBox)
{
    bool shown = false;
    bool checked = false;
    ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
        auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkReadOnly"));
        shown = box && box->isVisible();
        checked = box && box->isChecked();
        dialog.reject();
    });
    FileSelectDialog files;
    files.ShowOpenDialog(nullptr);
    EXPECT_FALSE(shown);
    files.SetReadOnly(true);
    files.ShowOpenDialog(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(checked);
}

TEST(FileSelectDialogTest, FilterFromAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("filter.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Text|*.txt|All|*.*");
    }
    FileSelectDialog files;
    files.LoadFilterFromFile(path);
    EXPECT_EQ(files.Filter(), QStringLiteral("Text|*.txt|All|*.*"));
    const QString missing = dir.filePath(QStringLiteral("none.txt"));
    files.LoadFilterFromFile(missing);
    EXPECT_TRUE(files.Filter().isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}
