#pragma once
// The small stand-in for the main window while the program is iconized: a
// borderless square showing the program icon. A left drag moves it, a right
// click offers its menu, a double click returns to the main window.
#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QAction;
class ProgramHost;
class QMenu;

class frmIcon : public QWidget {
    Q_OBJECT
public:
    // Loads the window (picture, placement, topmost tick) without showing it.
    // The host outlives the window.
    explicit frmIcon(ProgramHost* host, QWidget* parent = nullptr);
    ~frmIcon() override;

    // A close started by the program; the window saves its placement either way.
    // (A close by the window system ends the program: the main module sees to it.)
    void Unload();
    // The pop-up menu at a screen position.
    void ShowCommandMenu(const QPoint& globalPos);

    QMenu* CommandMenu() const { return mnuCommand_; }
    // True while the window follows the mouse because the window system cannot move it.
    bool IsFollowingMouse() const { return following_; }

    static constexpr int SizePixels = 480 / 15;

signals:
    void Unloaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void Form_Unload();

    ProgramHost* host_;
    QPixmap picture_;
    QMenu* mnuCommand_ = nullptr;
    QAction* mnuCommandTopmost_ = nullptr;
    QAction* mnuCommandReturnToMain_ = nullptr;
    QAction* mnuCommandReturnToBrowse_ = nullptr;
    QAction* mnuCommandExit_ = nullptr;
    bool following_ = false;
    QPoint grabOffset_;
    QPoint pressedAt_;
    bool pressed_ = false;
    bool unloaded_ = false;
};
