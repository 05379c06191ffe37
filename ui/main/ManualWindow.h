#pragma once
// The manual in a window of the program's own, for a desktop that has nothing
// to open an HTML file with. Links to places in the manual move within it; any
// other link goes to the desktop.
#include <QString>
#include <QWidget>

class QTextBrowser;

class ManualWindow : public QWidget {
    Q_OBJECT
public:
    explicit ManualWindow(QWidget* owner = nullptr);

    // Shows the window with the manual file, at the named anchor when one is given.
    void ShowManual(const QString& path, const QString& anchor = {});

    QTextBrowser* Browser() const { return txtManual_; }

private:
    void FollowLink(const QUrl& link);

    QTextBrowser* txtManual_;
};
