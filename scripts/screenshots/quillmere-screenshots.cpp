// quillmere-screenshots SCENE OUTPUT_FOLDER
// Pictures of the windows for a person to look at, saved as PNG files in the
// output folder. Scenes: main (the main window in each mode, the iconized
// window), links (the link path dialog, the font dialog, a related link),
// loglist (the record list window beside the main window). Needs a display;
// the scripts beside this file run it under Xvfb.
#include "Shots.h"

#include <QApplication>
#include <QTextStream>

#include <functional>
#include <map>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::map<QString, std::function<void(Shots&)>> scenes{
        {QStringLiteral("main"), MainScene},
        {QStringLiteral("links"), LinksScene},
        {QStringLiteral("loglist"), LogListScene},
    };
    const QStringList args = QApplication::arguments().mid(1);
    const auto scene = args.size() == 2 ? scenes.find(args[0]) : scenes.end();
    if (scene == scenes.end()) {
        QTextStream(stderr) << "usage: quillmere-screenshots main|links|loglist OUTPUT_FOLDER\n";
        return 2;
    }
    Shots shots(args[1]);
    scene->second(shots);
    return shots.Failures() == 0 ? 0 : 1;
}
