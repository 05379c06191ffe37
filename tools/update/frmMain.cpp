#include "tools/update/frmMain.h"

#include "env/FSOHelper.h"
#include "env/MessageService.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/LoadErrors.h"
#include "ui/controls/Twips.h"
#include "ui/controls/WaitCursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace update {
namespace {

// The tool's own picture, drawn here: it is a separate program and carries none
// of the main program's resources. A page with an arrow, for "convert".
QIcon ToolIcon()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(70, 70, 70), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4.5, 2.5, 17, 23));
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 8; y <= 20; y += 4)
        painter.drawLine(QPointF(8, y), QPointF(18, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 150, 60));
    const QPointF arrow[] = {{14, 19}, {21, 19}, {21, 14}, {29.5, 22.5},
                             {21, 31}, {21, 26}, {14, 26}};
    painter.drawPolygon(arrow, 7);
    painter.end();
    return QIcon(picture);
}

} // namespace

frmMain::frmMain(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      folder_(QDir::cleanPath(folder))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Migrator::Caption);
    setWindowIcon(ToolIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(DesignFonts::WindowFont());
    setFixedSize(Twips::ToPixels(QRect(0, 0, 4635, 1650), this).size());

    lblDescription_ = new QLabel(
        QStringLiteral("ver 1.2 以前のデータがある場合は、ver 1.3 のデータに変換します。"), this);
    lblDescription_->setObjectName(QStringLiteral("lblDescription"));
    lblDescription_->setWordWrap(true);
    lblDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::Place(lblDescription_, 150, 150, 4110, 645);

    btnRun_ = new QPushButton(QStringLiteral("実行"), this);
    btnRun_->setObjectName(QStringLiteral("btnRun"));
    Twips::Place(btnRun_, 1710, 1050, 1215, 465);
    btnRun_->setEnabled(false);
    setTabOrder(lblDescription_, btnRun_);
    connect(btnRun_, &QPushButton::clicked, this, &frmMain::btnRun_Click);
}

frmMain::~frmMain()
{
    Form_Unload();
}

bool frmMain::Form_Load()
{
    if (lock_.TryLockFile(FolderLock::SingleCopyPath(QStringLiteral("update"), folder_)) !=
        FolderLock::Result::Taken) {
        return true; // another copy runs: show the window, button stays disabled
    }
    CreateFileSystem();
    fileSystemCreated_ = true;
    dataFiles_ = Migrator(folder_).FindDataFiles(&unreadableFolders_);
    if (dataFiles_.isEmpty()) {
        ShowMessage(QStringLiteral("データファイルが見つかりません。\r\n"
                                   "このツールを、データディレクトリのある場所に移動してから実行"
                                   "してください。"),
                    Migrator::Caption, MessageIcon::Information);
        return false;
    }
    btnRun_->setEnabled(true);
    return true;
}

void frmMain::btnRun_Click()
{
    if (ran_ || !lock_.IsHeld()) {
        return;
    }
    ran_ = true;
    btnRun_->setEnabled(false);
    RunReport report;
    {
        const WaitCursor hourglass;
        // The data folders' locks go with the migrator, before the message waits.
        Migrator migrator(folder_);
        report = migrator.Run(dataFiles_, unreadableFolders_);
    }
    ShowLoadErrors(report.loadErrors);
    ShowMessage(Migrator::CompletionMessage(report), Migrator::Caption,
                report.Complete() ? MessageIcon::Information : MessageIcon::Warning);
    close();
}

void frmMain::Form_Unload()
{
    dataFiles_.clear();
    unreadableFolders_.clear();
    if (fileSystemCreated_) {
        ReleaseFileSystem();
        fileSystemCreated_ = false;
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

} // namespace update
