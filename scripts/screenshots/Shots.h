#pragma once
// What the scenes of quillmere-screenshots share: the output folder, saving a
// window or the whole screen, a tally of what did not look as it should, and
// a fresh program folder for each set of pictures.
#include "app/MainModule.h"
#include "support/ProgramPictures.h"
#include "support/TempFolder.h"

#include <QString>

class QPixmap;
class QWidget;

class Shots {
public:
    explicit Shots(QString folder);

    // Activates the window, lets it paint, and saves it (or the whole screen,
    // to show windows as they lie beside each other) as the named file.
    void Save(QWidget& window, const QString& name, bool wholeScreen = false);
    void Save(const QPixmap& picture, const QString& name);
    // Tells what went wrong when ok is false; the scene goes on as far as it can.
    bool Check(bool ok, const QString& what);

    int Failures() const { return failures_; }

private:
    QString folder_;
    int failures_ = 0;
};

// A throw-away program folder with the project's pictures in its icon folder;
// a program started on it is shut down with it.
class SceneFolder {
public:
    SceneFolder() { CopyProgramPictures(); }
    ~SceneFolder()
    {
        if (IsRunning())
            ShutDown();
    }
    SceneFolder(const SceneFolder&) = delete;
    SceneFolder& operator=(const SceneFolder&) = delete;

    bool StartProgram()
    {
        SetEndHandler({});
        return StartUpForTesting(folder.path());
    }

    TempFolder folder;
};

// The scenes, one per script: each takes its pictures into shots.
void MainScene(Shots& shots);
void LinksScene(Shots& shots);
void LogListScene(Shots& shots);
