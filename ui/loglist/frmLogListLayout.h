#pragma once
// The design of the record list window: its controls with their names,
// captions, places and tab order, its menus and its pictures. The window's
// behaviour lives in frmLogList.
#include <QString>

#include <memory>

class ModelListControl;
class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMainWindow;
class QMenu;
class QToolButton;
class QWidget;

struct frmLogListUi {
    // The client area without the menu bar, in pixels.
    static constexpr int ClientWidth = 5265 / 15;
    static constexpr int ClientHeight = 4065 / 15;

    frmLogListUi();
    ~frmLogListUi();

    // Creates the controls and menus in the window and fixes its size.
    void Setup(QMainWindow* window);
    // The pictures of the icon folder; the end row shares the begin row's.
    void LoadPictures();

    QLabel* lblLogDate = nullptr;
    QComboBox* lstLogDateBegin = nullptr;
    QToolButton* imgLogDateBeginUpMonth = nullptr;
    QToolButton* imgLogDateBeginDownMonth = nullptr;
    QToolButton* imgLogDateBeginUpDay = nullptr;
    QToolButton* imgLogDateBeginDownDay = nullptr;
    QLabel* lblLogDateBegin = nullptr;
    QComboBox* lstLogDateEnd = nullptr;
    QToolButton* imgLogDateEndUpMonth = nullptr;
    QToolButton* imgLogDateEndDownMonth = nullptr;
    QToolButton* imgLogDateEndUpDay = nullptr;
    QToolButton* imgLogDateEndDownDay = nullptr;
    QLabel* lblLogDateEnd = nullptr;
    QToolButton* imgDateShortCut = nullptr;
    QLabel* lblCategory = nullptr;
    QComboBox* lstCategory = nullptr;
    QLabel* lblString = nullptr;
    QComboBox* lstString = nullptr;
    QLabel* lblLogList = nullptr;
    QListView* lstLogs = nullptr;
    QLabel* lblLogListCount = nullptr;
    QToolButton* btnClose = nullptr;

    QMenu* mnuTool = nullptr;
    QAction* mnuToolExport = nullptr;
    QAction* mnuToolCollectLogList_bar = nullptr;
    QAction* mnuToolCollectLogList = nullptr;
    QMenu* mnuDateSpan = nullptr;
    QAction* mnuDateSpanAll = nullptr;
    QAction* mnuDateSpanThisMonth = nullptr;
    QAction* mnuDateSpanThisWeek = nullptr;
    QAction* mnuDateSpanToday = nullptr;

    // What the lists are filled through.
    std::unique_ptr<ModelListControl> beginControl;
    std::unique_ptr<ModelListControl> endControl;
    std::unique_ptr<ModelListControl> categoryControl;
    std::unique_ptr<ModelListControl> stringControl;
    std::unique_ptr<ModelListControl> logsControl;

private:
    void CreateControls(QMainWindow* window);
    void CreateMenus(QMainWindow* window);
};
