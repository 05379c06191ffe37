#pragma once
// The design of the main window: its controls and menus with their object
// names, captions, shortcuts, places in twips and tab order, and the pictures
// of the icon folder. It holds no behaviour; frmMain connects the controls.
class Expander;
class GroupingBox;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolButton;
class QWidget;
class ResizingGrip;

struct frmMainLayout {
    // Gives the window its name, frame, font and icon, creates every control
    // and menu (the pop-up menus of the link icon and of hyperlinks included)
    // and sizes the window to the design.
    void Setup(QMainWindow* window);
    // The button pictures and the link icon from the icon folder; a picture
    // that does not load leaves its control without one.
    void LoadPictures();

    // The design size of the window's interior below the menu bar, in pixels.
    static constexpr int DesignWidth = 5685 / 15;
    static constexpr int DesignHeight = 4995 / 15;

    QPlainTextEdit* txtLog = nullptr;
    GroupingBox* gbData = nullptr;
    QLineEdit* txtDate = nullptr;
    QTimer* tmrDate = nullptr;
    QLabel* lblCategory = nullptr;
    QComboBox* lstCategory = nullptr;
    QLabel* imgLink = nullptr;
    Expander* expCategory = nullptr;
    GroupingBox* gbButtons = nullptr;
    QToolButton* btnLog = nullptr;
    QToolButton* btnView = nullptr;
    QToolButton* btnIconize = nullptr;
    Expander* expData = nullptr;
    Expander* expLog = nullptr;
    ResizingGrip* rg = nullptr;

    QMenu* mnuProgram = nullptr;
    QAction* mnuProgramIconize = nullptr;
    QAction* mnuProgramToBrowsingMode = nullptr;
    QAction* mnuProgramExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopyAll = nullptr;
    QAction* mnuEditClear = nullptr;
    QAction* mnuEditSetLink = nullptr;
    QAction* mnuEditToRewritingMode = nullptr;
    QAction* mnuEditDelete = nullptr;
    QAction* mnuEditLog = nullptr;
    QMenu* mnuSetup = nullptr;
    QAction* mnuSetupFont = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpShowManualIndex = nullptr;
    QAction* mnuHelpGotoWebsite = nullptr;
    QAction* mnuHelpVersion = nullptr;
    QMenu* mnuLink = nullptr;
    QAction* mnuLinkOpen = nullptr;
    QAction* mnuLinkEdit = nullptr;
    QAction* mnuLinkDelete = nullptr;
    QMenu* mnuHyperLink = nullptr;

private:
    void CreateControls(QMainWindow* window);
    void CreateMenus(QMainWindow* window);
};
