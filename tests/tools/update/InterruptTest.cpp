#include "TestFolder.h"
#include "tools/update/Migrator.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// A run killed part-way leaves each file either as it was or fully converted.
TEST(UpdateInterrupt, KilledRunLeavesNoHalfWrittenFile)
{
    TestFolder folder;
    QByteArray records;
    for (int i = 1; i <= 400; ++i) {
        records += "<log year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" second=\"" +
                   QByteArray::number(i % 60) + "\">" + QByteArray(200, 'x') + "</log>\r\n";
    }
    const QByteArray old = OldFile(records);
    for (int i = 0; i < 60; ++i) {
        folder.write(QStringLiteral("u/%1/01.diary").arg(2000 + i), old);
    }
    update::Migrator migrator(folder.path());
    const QList<FileEntry> files = migrator.FindDataFiles();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (const FileEntry& f : files) {
            migrator.ConvertDataFile(f);
        }
        _exit(0);
    }
    usleep(30 * 1000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    for (const FileEntry& f : files) {
        QFile file(f.Path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (bytes == old) {
            continue;
        }
        QString error;
        EXPECT_EQ(migrator.ReadRecords(f, &error).size(), 400) << f.Path.toStdString();
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_TRUE(bytes.endsWith("</diary>\r\n")) << f.Path.toStdString();
    }
}
