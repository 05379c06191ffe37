#include "ui/loglist/frmLogListLayout.h"

#include "ui/controls/DesignFonts.h"
#include "ui/controls/ModelListControl.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStringListModel>
#include <QStyleOptionComboBox>
#include <QToolButton>

namespace {

// Lists drop down below their box, a few rows at a time. The styles that lay
// the list over the box instead measure the height and width of every entry
// each time it opens: with an entry per record, a pause the user feels.
class DropDownBelowStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    // A date list's entry needs all of its box: with the margins and the arrow
    // of an edit field, the style would cut off its last digit. Nothing is typed
    // there, so the arrow keeps only the room it is drawn in.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
        const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (control != CC_ComboBox || !box || box->editable)
            return rect;
        constexpr int kArrowWidth = 13;
        QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
        arrow.setLeft(arrow.right() - kArrowWidth + 1);
        if (subControl == SC_ComboBoxArrow)
            return arrow;
        if (subControl == SC_ComboBoxEditField) {
            rect.setLeft(option->rect.left() + 2);
            rect.setRight(arrow.left() - 1);
        }
        return rect;
    }
};

// A drop-down list with a long list: its pop-up measures one row for all.
void PrepareDropDown(QComboBox* box, QStyle* style)
{
    box->setStyle(style);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* view = qobject_cast<QListView*>(box->view()))
        view->setUniformItemSizes(true);
}

void PrepareEditableBox(QComboBox* box, QStyle* style)
{
    PrepareDropDown(box, style);
    box->setEditable(true);
    // The box keeps what is typed as a condition; only Enter in the search box
    // adds to the history, and nothing completes the text behind the user's back.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    // Left alone, the box picks the entry equal to the typed text whenever its
    // edit loses focus or takes Enter, and reports that as a pick: searches the
    // user did not ask for.
    QObject::disconnect(box->lineEdit(), SIGNAL(editingFinished()), box, nullptr);
}

QToolButton* ImageButton(QWidget* parent, const char* name, int left, int top)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    Twips::Place(button, left, top, 240, 240);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(button->size());
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(Twips::ToPixelsX(left, label), Twips::ToPixelsY(top, label));
    label->adjustSize();
    return label;
}

QComboBox* Box(QWidget* parent, const char* name, int left, int top)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    Twips::Place(box, left, top, 2415, 315);
    return box;
}

} // namespace

frmLogListUi::frmLogListUi() = default;
frmLogListUi::~frmLogListUi() = default;

void frmLogListUi::Setup(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("frmLogList"));
    CreateControls(window);
    CreateMenus(window);
}

void frmLogListUi::CreateControls(QMainWindow* window)
{
    window->setFont(DesignFonts::WindowFont());

    auto* dropDownStyle = new DropDownBelowStyle;

    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    window->setCentralWidget(client);

    lblLogDate = Label(client, "lblLogDate", QStringLiteral("日付"), 150, 150);
    lstLogDateBegin = Box(client, "lstLogDateBegin", 150, 375);
    PrepareDropDown(lstLogDateBegin, dropDownStyle);
    imgLogDateBeginUpMonth = ImageButton(client, "imgLogDateBeginUpMonth", 150, 750);
    imgLogDateBeginDownMonth = ImageButton(client, "imgLogDateBeginDownMonth", 525, 750);
    imgLogDateBeginUpDay = ImageButton(client, "imgLogDateBeginUpDay", 900, 750);
    imgLogDateBeginDownDay = ImageButton(client, "imgLogDateBeginDownDay", 1275, 750);
    lblLogDateBegin = Label(client, "lblLogDateBegin", QStringLiteral("から"), 1950, 750);

    lstLogDateEnd = Box(client, "lstLogDateEnd", 150, 1050);
    PrepareDropDown(lstLogDateEnd, dropDownStyle);
    imgLogDateEndUpMonth = ImageButton(client, "imgLogDateEndUpMonth", 150, 1425);
    imgLogDateEndDownMonth = ImageButton(client, "imgLogDateEndDownMonth", 525, 1425);
    imgLogDateEndUpDay = ImageButton(client, "imgLogDateEndUpDay", 900, 1425);
    imgLogDateEndDownDay = ImageButton(client, "imgLogDateEndDownDay", 1275, 1425);
    lblLogDateEnd = Label(client, "lblLogDateEnd", QStringLiteral("まで"), 1950, 1425);
    imgDateShortCut = ImageButton(client, "imgDateShortCut", 2325, 1425);

    lblCategory = Label(client, "lblCategory", QStringLiteral("分類"), 150, 1800);
    lstCategory = Box(client, "lstCategory", 150, 2025);
    PrepareEditableBox(lstCategory, dropDownStyle);
    lblString = Label(client, "lblString", QStringLiteral("文字"), 150, 2475);
    lstString = Box(client, "lstString", 150, 2700);
    PrepareEditableBox(lstString, dropDownStyle);

    lblLogList = Label(client, "lblLogList", QStringLiteral("条件に一致するログ"), 2700, 150);
    lstLogs = new QListView(client);
    lstLogs->setObjectName(QStringLiteral("lstLogs"));
    Twips::Place(lstLogs, 2700, 375, 2415, 2595);
    lstLogs->setUniformItemSizes(true);
    lstLogs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstLogs->setSelectionMode(QAbstractItemView::SingleSelection);
    lblLogListCount = Label(client, "lblLogListCount", QStringLiteral("0 件"), 2700, 3075);

    btnClose = new QToolButton(client);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setText(QStringLiteral("閉じる"));
    btnClose->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Twips::Place(btnClose, 4350, 3300, 750, 615);
    btnClose->setFocusPolicy(Qt::StrongFocus);

    QWidget::setTabOrder(lstLogDateBegin, lstLogDateEnd);
    QWidget::setTabOrder(lstLogDateEnd, lstCategory);
    QWidget::setTabOrder(lstCategory, lstString);
    QWidget::setTabOrder(lstString, lstLogs);
    QWidget::setTabOrder(lstLogs, btnClose);

    beginControl = std::make_unique<ModelListControl>(lstLogDateBegin);
    endControl = std::make_unique<ModelListControl>(lstLogDateEnd);
    categoryControl = std::make_unique<ModelListControl>(lstCategory);
    stringControl = std::make_unique<ModelListControl>(lstString);
    logsControl = std::make_unique<ModelListControl>(lstLogs);

    // Owned by the window, and a child after the boxes that use it, so that it
    // goes after them.
    dropDownStyle->setParent(window);
}

void frmLogListUi::CreateMenus(QMainWindow* window)
{
    mnuTool = window->menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    mnuTool->setObjectName(QStringLiteral("mnuTool"));
    mnuTool->menuAction()->setObjectName(QStringLiteral("mnuTool"));
    mnuToolExport = mnuTool->addAction(QStringLiteral("検索結果をエクスポート(&E) ..."));
    mnuToolExport->setObjectName(QStringLiteral("mnuToolExport"));
    mnuToolExport->setEnabled(false);
    mnuToolCollectLogList_bar = mnuTool->addSeparator();
    mnuToolCollectLogList_bar->setObjectName(QStringLiteral("mnuToolCollectLogList_bar"));
    mnuToolCollectLogList = mnuTool->addAction(QStringLiteral("ログリストの修復(&R) ..."));
    mnuToolCollectLogList->setObjectName(QStringLiteral("mnuToolCollectLogList"));

    // Not on the menu bar: it only ever opens as the shortcut picture's pop-up.
    mnuDateSpan = new QMenu(QStringLiteral("日時範囲の設定"), window);
    mnuDateSpan->setObjectName(QStringLiteral("mnuDateSpan"));
    mnuDateSpanAll = mnuDateSpan->addAction(QStringLiteral("すべて"));
    mnuDateSpanAll->setObjectName(QStringLiteral("mnuDateSpanAll"));
    mnuDateSpanThisMonth = mnuDateSpan->addAction(QStringLiteral("今月"));
    mnuDateSpanThisMonth->setObjectName(QStringLiteral("mnuDateSpanThisMonth"));
    mnuDateSpanThisWeek = mnuDateSpan->addAction(QStringLiteral("今週"));
    mnuDateSpanThisWeek->setObjectName(QStringLiteral("mnuDateSpanThisWeek"));
    mnuDateSpanToday = mnuDateSpan->addAction(QStringLiteral("今日"));
    mnuDateSpanToday->setObjectName(QStringLiteral("mnuDateSpanToday"));

    window->setFixedSize(ClientWidth, ClientHeight + window->menuBar()->sizeHint().height());
}

void frmLogListUi::LoadPictures()
{
    const auto picture = [](const char* name) { return IconFolderIcon(QString::fromLatin1(name)); };
    btnClose->setIcon(picture("close.bmp"));
    btnClose->setIconSize(Twips::ToPixels(QRect(0, 0, 480, 360), btnClose).size());
    imgDateShortCut->setIcon(picture("shortcut.bmp"));
    imgLogDateBeginUpMonth->setIcon(picture("up_month.ico"));
    imgLogDateBeginUpDay->setIcon(picture("up_day.ico"));
    imgLogDateBeginDownMonth->setIcon(picture("down_month.ico"));
    imgLogDateBeginDownDay->setIcon(picture("down_day.ico"));
    imgLogDateEndUpMonth->setIcon(imgLogDateBeginUpMonth->icon());
    imgLogDateEndUpDay->setIcon(imgLogDateBeginUpDay->icon());
    imgLogDateEndDownMonth->setIcon(imgLogDateBeginDownMonth->icon());
    imgLogDateEndDownDay->setIcon(imgLogDateBeginDownDay->icon());
}
