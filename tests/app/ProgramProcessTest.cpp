// The built program itself, run from a copied program folder.
#include "app/MainModule.h"
#include "env/System.h"

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

#include <sys/stat.h>

namespace {

// The test program lies in <build>/tests, the program in <build>.
QString BuiltProgram()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../Quillmere"));
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

// A program folder holding a copy of the built program.
class ProgramFolder {
public:
    ProgramFolder() { copied_ = folder_.isValid() && QFile::copy(BuiltProgram(), program()); }
    bool ready() const { return copied_; }
    QString path() const { return folder_.path(); }
    QString program() const { return folder_.filePath(QStringLiteral("Quillmere")); }
    QString dataFile(const QString& name) const
    {
        return folder_.filePath(CurrentUserName() + u'/' + name);
    }
    // The program has taken its lock, prepared its folders and shown its window.
    bool waitUntilStarted() const
    {
        if (!WaitFor([&] { return QFileInfo::exists(InstanceLockPath(path())); }, 20000))
            return false;
        QThread::msleep(500);
        return true;
    }

private:
    QTemporaryDir folder_;
    bool copied_ = false;
};

class RunningProgram {
public:
    // runtime: the session's runtime and temporary folder, as another login has its own.
    explicit RunningProgram(const QString& program, const QString& runtime = QString())
    {
        process_.setProgram(program);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (!runtime.isEmpty()) {
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
            env.insert(QStringLiteral("TMPDIR"), runtime);
        }
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

TEST(ProgramProcess, ASecondCopyEndsAtOnceAndWritesNothing)
{
    if (!QFileInfo::exists(BuiltProgram()))
        GTEST_SKIP() << "the program is not built: " << BuiltProgram().toStdString();
    ProgramFolder folder;
    ASSERT_TRUE(folder.ready());

    RunningProgram first(folder.program());
    ASSERT_TRUE(first.process().waitForStarted(10000));
    ASSERT_TRUE(folder.waitUntilStarted());
    ASSERT_EQ(first.process().state(), QProcess::Running);
    const QStringList before = Snapshot(folder.path());

    // Started from another session, with its own runtime and temporary folders.
    QTemporaryDir otherSession;
    ::chmod(QFile::encodeName(otherSession.path()).constData(), 0700);
    RunningProgram second(folder.program(), otherSession.path());
    ASSERT_TRUE(second.process().waitForFinished(20000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_TRUE(second.process().readAllStandardOutput().isEmpty());
    EXPECT_EQ(Snapshot(folder.path()), before);
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // A copy that died without ending its run does not keep later starts away.
    first.process().kill();
    ASSERT_TRUE(first.process().waitForFinished(5000));
    RunningProgram third(folder.program());
    ASSERT_TRUE(third.process().waitForStarted(10000));
    EXPECT_FALSE(third.process().waitForFinished(3000));
    EXPECT_EQ(third.process().state(), QProcess::Running);
}

TEST(ProgramProcess, ARequestToEndFromOutsideRunsTheOrderlyEnd)
{
    if (!QFileInfo::exists(BuiltProgram()))
        GTEST_SKIP() << "the program is not built: " << BuiltProgram().toStdString();
    ProgramFolder folder;
    ASSERT_TRUE(folder.ready());

    RunningProgram program(folder.program());
    ASSERT_TRUE(program.process().waitForStarted(10000));
    ASSERT_TRUE(folder.waitUntilStarted());
    QFile settings(folder.dataFile(QStringLiteral("Quillmere.ini")));
    if (settings.open(QIODevice::ReadOnly)) {
        const QByteArray early = settings.readAll();
        EXPECT_FALSE(early.contains("Iconize")) << early.constData();
        EXPECT_FALSE(early.contains("[frmMain]")) << early.constData();
        settings.close();
    }
    program.process().terminate(); // SIGTERM, as at logout
    ASSERT_TRUE(program.process().waitForFinished(20000));
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0);

    // The main window unloaded (its placement) and ShutDown wrote "Iconize".
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray content = settings.readAll();
    EXPECT_TRUE(content.contains("[Quillmere]\r\nIconize=False\r\n")) << content.constData();
    EXPECT_TRUE(content.contains("[frmMain]")) << content.constData();

    // And it let go of its lock: the next start runs.
    RunningProgram next(folder.program());
    ASSERT_TRUE(next.process().waitForStarted(10000));
    EXPECT_FALSE(next.process().waitForFinished(3000));
}
