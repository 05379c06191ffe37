#include "ui/main/frmMainLayout.h"

#include "ui/controls/DesignFonts.h"
#include "ui/controls/Expander.h"
#include "ui/controls/GroupingBox.h"
#include "ui/controls/LayoutControl.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/PopupMenu.h"
#include "ui/controls/ResizingGrip.h"
#include "ui/controls/Twips.h"
#include "ui/main/InputAreaHandler.h"
#include "ui/main/LinkMenu.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* PictureButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// The picture takes what the caption leaves of the button's height, so both
// stay inside the frame at any font size and screen resolution.
void FitPicture(QToolButton* button)
{
    const int margins = 6;
    const int side = std::max(8, button->height() - button->fontMetrics().height() - margins);
    button->setIconSize(QSize(side, side));
}

} // namespace

void frmMainLayout::Setup(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("frmMain"));
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFont(DesignFonts::WindowFont());
    window->setWindowIcon(ProgramWindowIcon());
    CreateControls(window);
    CreateMenus(window);
    // The design measures the interior; the menu bar comes on top of it.
    window->resize(DesignWidth, DesignHeight + window->menuBar()->sizeHint().height());
}

void frmMainLayout::CreateControls(QMainWindow* window)
{
    auto* interior = new QWidget(window);
    interior->setObjectName(QStringLiteral("frmMainInterior"));
    window->setCentralWidget(interior);

    txtLog = new QPlainTextEdit(interior);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    txtLog->setFont(DesignFonts::DesignFont(12));
    txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab and Shift+Tab leave the box as in the Windows text box; a record never holds a tab
    // typed by accident.
    txtLog->setTabChangesFocus(true);
    Twips::Place(txtLog, 150, 150, 4365, 1965);

    gbData = new GroupingBox(interior);
    gbData->setObjectName(QStringLiteral("gbData"));
    gbData->SetHorizontalLayout(0);
    gbData->SetMarginLeft(150);
    gbData->SetMarginRight(2865);
    gbData->SetMarginTop(150);
    gbData->SetMarginBottom(150);
    Twips::Place(gbData, 150, 2250, 2715, 1290);

    txtDate = new QLineEdit(gbData);
    txtDate->setObjectName(QStringLiteral("txtDate"));
    txtDate->setReadOnly(true);
    txtDate->setFocusPolicy(Qt::ClickFocus);
    txtDate->setText(QStringLiteral("yyyy/mm/dd"));
    QPalette datePalette = txtDate->palette();
    datePalette.setColor(QPalette::Base, datePalette.color(QPalette::Button));
    txtDate->setPalette(datePalette);
    Twips::Place(txtDate, 0, 0, 2640, 315);

    tmrDate = new QTimer(gbData);
    tmrDate->setObjectName(QStringLiteral("tmrDate"));
    tmrDate->setInterval(1000);

    lblCategory = new QLabel(QStringLiteral("分類"), gbData);
    lblCategory->setObjectName(QStringLiteral("lblCategory"));
    lblCategory->setTextFormat(Qt::PlainText);
    lblCategory->move(0, Twips::ToPixelsY(450));
    lblCategory->adjustSize();

    lstCategory = new QComboBox(gbData);
    lstCategory->setObjectName(QStringLiteral("lstCategory"));
    lstCategory->setEditable(true);
    // Typing never completes from the list nor adds to it: the list is the record book's.
    lstCategory->setCompleter(nullptr);
    lstCategory->setInsertPolicy(QComboBox::NoInsert);
    // Tens of thousands of keywords: never measure them all for the box's width.
    lstCategory->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lstCategory->setMaxVisibleItems(20);
    if (auto* list = qobject_cast<QListView*>(lstCategory->view()))
        list->setUniformItemSizes(true);
    lblCategory->setBuddy(lstCategory);
    Twips::Place(lstCategory, 0, 675, 2715, 315);

    imgLink = new QLabel(gbData);
    imgLink->setObjectName(QStringLiteral("imgLink"));
    imgLink->setScaledContents(true);
    imgLink->setCursor(Qt::PointingHandCursor);
    Twips::Place(imgLink, 0, 1050, 240, 240);
    imgLink->hide();

    expCategory = new Expander(gbData);
    expCategory->setObjectName(QStringLiteral("expCategory"));
    expCategory->SetMarginRight(3015);

    gbButtons = new GroupingBox(interior);
    gbButtons->setObjectName(QStringLiteral("gbButtons"));
    gbButtons->SetMarginLeft(150);
    gbButtons->SetMarginRight(150);
    gbButtons->SetMarginTop(150);
    gbButtons->SetMarginBottom(180);
    Twips::Place(gbButtons, 3000, 2775, 2565, 615);

    btnLog = PictureButton(gbButtons, "btnLog", QStringLiteral("記録"));
    btnLog->setEnabled(false);
    Twips::Place(btnLog, 0, 0, 750, 615);
    btnView = PictureButton(gbButtons, "btnView", QStringLiteral("閲覧"));
    Twips::Place(btnView, 900, 0, 750, 615);
    btnIconize = PictureButton(gbButtons, "btnIconize", QStringLiteral("最小化"));
    Twips::Place(btnIconize, 1800, 0, 750, 615);
    for (QToolButton* button : {btnLog, btnView, btnIconize})
        FitPicture(button);

    expData = new Expander(interior);
    expData->setObjectName(QStringLiteral("expData"));
    expData->SetMarginLeft(150);
    expData->SetMarginRight(150);
    expData->SetMarginTop(150);
    expData->SetMarginBottom(150);

    expLog = new Expander(interior);
    expLog->setObjectName(QStringLiteral("expLog"));
    expLog->SetExpands(Expander::Both);
    expLog->SetMarginLeft(150);
    expLog->SetMarginRight(150);
    expLog->SetMarginTop(150);
    expLog->SetMarginBottom(1515);

    rg = new ResizingGrip(interior);
    rg->setObjectName(QStringLiteral("rg"));
    Twips::Place(rg, 5505, 4815, 180, 180);

    // The design order of the table: input, category, then the three buttons.
    QWidget::setTabOrder(txtLog, lstCategory);
    QWidget::setTabOrder(lstCategory, btnLog);
    QWidget::setTabOrder(btnLog, btnView);
    QWidget::setTabOrder(btnView, btnIconize);

    // The targets exist now, so the expanders can bind them by name.
    expCategory->SetTargetName(QStringLiteral("lstCategory"));
    expData->SetTargetName(QStringLiteral("gbData"));
    expLog->SetTargetName(QStringLiteral("txtLog"));
    LayoutControl::LoadAll(window);

    // Keeps the input area and the category box usable: the layout would shrink them to nothing.
    window->setMinimumSize(Twips::ToPixelsX(4500), Twips::ToPixelsY(3000));
}

void frmMainLayout::CreateMenus(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();

    mnuProgram = NamedMenu(window, "mnuProgram", QStringLiteral("プログラム(&P)"));
    mnuProgramIconize = NamedAction(mnuProgram, "mnuProgramIconize", QStringLiteral("最小化(&I)"),
                                    QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuProgramToBrowsingMode =
        NamedAction(mnuProgram, "mnuProgramToBrowsingMode", QStringLiteral("閲覧モード(&B)"),
                    QKeySequence(Qt::CTRL | Qt::Key_B));
    mnuProgramToBrowsingMode->setCheckable(true);
    NamedSeparator(mnuProgram, "mnuProgramExit_bar");
    mnuProgramExit = NamedAction(mnuProgram, "mnuProgramExit", QStringLiteral("終了(&X)"));
    bar->addMenu(mnuProgram);

    mnuEdit = NamedMenu(window, "mnuEdit", QStringLiteral("編集(&E)"));
    mnuEditCopyAll = NamedAction(mnuEdit, "mnuEditCopyAll", QStringLiteral("すべてコピー(&C)"));
    mnuEditCopyAll->setEnabled(false);
    mnuEditClear = NamedAction(mnuEdit, "mnuEditClear", QStringLiteral("クリア"),
                               QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuEditClear->setEnabled(false);
    NamedSeparator(mnuEdit, "mnuEditLog_bar");
    mnuEditSetLink = NamedAction(mnuEdit, "mnuEditSetLink", QStringLiteral("関連リンク(&H) ..."));
    mnuEditToRewritingMode =
        NamedAction(mnuEdit, "mnuEditToRewritingMode", QStringLiteral("書き直す(&R)"));
    mnuEditToRewritingMode->setCheckable(true);
    mnuEditToRewritingMode->setVisible(false);
    mnuEditDelete = NamedAction(mnuEdit, "mnuEditDelete", QStringLiteral("削除(&D)"));
    mnuEditDelete->setVisible(false);
    mnuEditLog = NamedAction(mnuEdit, "mnuEditLog", QStringLiteral("記録(&L)"),
                             QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuEditLog->setEnabled(false);
    bar->addMenu(mnuEdit);

    mnuSetup = NamedMenu(window, "mnuSetup", QStringLiteral("設定(&S)"));
    mnuSetupFont = NamedAction(mnuSetup, "mnuSetupFont", QStringLiteral("フォント(&F) ..."));
    bar->addMenu(mnuSetup);

    mnuHelp = NamedMenu(window, "mnuHelp", QStringLiteral("ヘルプ(&H)"));
    mnuHelpShowManualIndex =
        NamedAction(mnuHelp, "mnuHelpShowManualIndex", QStringLiteral("取扱説明書(&C)"),
                    QKeySequence(Qt::Key_F1));
    mnuHelpGotoWebsite =
        NamedAction(mnuHelp, "mnuHelpGotoWebsite", QStringLiteral("最新版の配布場所へ(&J)"));
    NamedSeparator(mnuHelp, "mnuHelpAbout_bar");
    mnuHelpVersion = NamedAction(mnuHelp, "mnuHelpVersion", QString());
    bar->addMenu(mnuHelp);

    // Pop-up menus only; never on the menu bar.
    mnuLink = LinkMenu::BuildMenu(window);
    mnuLinkOpen = MenuItem(*mnuLink, "mnuLinkOpen");
    mnuLinkEdit = MenuItem(*mnuLink, "mnuLinkEdit");
    mnuLinkDelete = MenuItem(*mnuLink, "mnuLinkDelete");
    mnuHyperLink = InputAreaHandler::BuildMenu(window);
}

void frmMainLayout::LoadPictures()
{
    const struct {
        QToolButton* button;
        const char* file;
    } buttons[] = {{btnView, "eye.bmp"}, {btnLog, "pencil.bmp"}, {btnIconize, "iconize.bmp"}};
    for (const auto& entry : buttons) {
        const QPixmap picture = LoadIconFolderPicture(QString::fromLatin1(entry.file));
        if (!picture.isNull())
            entry.button->setIcon(QIcon(picture));
    }
    const QPixmap link = LoadIconFolderPicture(QStringLiteral("link.ico"));
    if (!link.isNull())
        imgLink->setPixmap(link);
}
