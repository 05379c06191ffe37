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

    // The manual beside the program, at the anchor when one is given: by the
    // desktop, else in the owner's manual window, made when it has none.
    static void Open(QWidget* owner, const QString& anchor = {});
    // The owner's manual window while it is open.
    static ManualWindow* Of(const QWidget* owner);

    // Shows the window with the manual file, at the named anchor when one is given.
    void ShowManual(const QString& path, const QString& anchor = {});

    QTextBrowser* Browser() const { return txtManual_; }

private:
    void FollowLink(const QUrl& link);

    QTextBrowser* txtManual_;
};
