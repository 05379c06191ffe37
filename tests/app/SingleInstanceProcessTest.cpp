// The program itself, started twice from one program folder.
#include "app/MainModule.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

namespace {

// The test program lies in <build>/tests, the program in <build>.
QString BuiltProgram()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Quillmere"));
}

// Every file and folder below a folder with its size and modification time.
QStringList Snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << info.filePath() + u' ' + QString::number(info.size()) + u' ' +
                       QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

class RunningProgram {
public:
    explicit RunningProgram(const QString& program)
    {
        process_.setProgram(program);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.start();
    }
    ~RunningProgram()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};

} // namespace

TEST(SingleInstance, ASecondCopyOfTheProgramEndsAtOnceAndWritesNothing)
{
    if (!QFileInfo::exists(BuiltProgram()))
        GTEST_SKIP() << "the program is not built: " << BuiltProgram().toStdString();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("Quillmere"));
    ASSERT_TRUE(QFile::copy(BuiltProgram(), program));
    const QString lock = InstanceLockPath(folder.path());

    RunningProgram first(program);
    ASSERT_TRUE(first.process().waitForStarted(10000));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(lock); }, 20000));
    // The first copy has prepared its folders and shown its window by now.
    QThread::msleep(500);
    ASSERT_EQ(first.process().state(), QProcess::Running);
    const QStringList before = Snapshot(folder.path());

    RunningProgram second(program);
    ASSERT_TRUE(second.process().waitForFinished(20000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_TRUE(second.process().readAllStandardOutput().isEmpty());
    EXPECT_EQ(Snapshot(folder.path()), before);
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // A copy that died without ending its run does not keep later starts away.
    first.process().kill();
    ASSERT_TRUE(first.process().waitForFinished(5000));
    RunningProgram third(program);
    ASSERT_TRUE(third.process().waitForStarted(10000));
    EXPECT_FALSE(third.process().waitForFinished(3000));
    EXPECT_EQ(third.process().state(), QProcess::Running);
}
