#include "ui/main/frmPath.h"

#include "env/FileStringManager.h"
#include "env/Folders.h"
#include "env/MessageService.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/Expander.h"
#include "ui/controls/GroupingBox.h"
#include "ui/controls/ModalDialog.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/ResizingGrip.h"
#include "ui/controls/Twips.h"
#include "ui/main/LinkRules.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

frmPath::frmPath(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPath"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(DesignFonts::WindowFont());
    setWindowIcon(owner ? owner->window()->windowIcon() : QApplication::windowIcon());
    resize(Twips::ToPixelsX(4635, this), Twips::ToPixelsY(1605, this));
    // Smaller than the design, the buttons would slide over the text box.
    setMinimumSize(size());

    lblPath_ = new QLabel(this);
    lblPath_->setObjectName(QStringLiteral("lblPath"));
    lblPath_->setTextFormat(Qt::PlainText);
    lblPath_->move(Twips::ToPixelsX(150, this), Twips::ToPixelsY(75, this));

    txtPath_ = new QLineEdit(this);
    txtPath_->setObjectName(QStringLiteral("txtPath"));
    Twips::Place(txtPath_, 150, 300, 4350, 300);
    txtPath_->setDragEnabled(true);
    txtPath_->installEventFilter(this);

    expText_ = new Expander(this);
    expText_->setObjectName(QStringLiteral("expText"));
    expText_->SetMarginLeft(150);
    expText_->SetMarginRight(150);
    expText_->SetTargetName(QStringLiteral("txtPath"));

    gbConsole_ = new GroupingBox(this);
    gbConsole_->setObjectName(QStringLiteral("gbConsole"));
    gbConsole_->SetMarginRight(150);
    gbConsole_->SetMarginBottom(180);
    Twips::Place(gbConsole_, 2850, 675, 1665, 615);

    btnSetup_ = new QPushButton(QStringLiteral("設定"), gbConsole_);
    btnSetup_->setObjectName(QStringLiteral("btnSetup"));
    Twips::Place(btnSetup_, 0, 0, 750, 615);
    btnSetup_->setDefault(true);
    btnSetup_->setEnabled(false);

    btnCancel_ = new QPushButton(QStringLiteral("中止"), gbConsole_);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    Twips::Place(btnCancel_, 900, 0, 750, 615);
    btnCancel_->setAutoDefault(false);

    rg_ = new ResizingGrip(this);
    rg_->setObjectName(QStringLiteral("rg"));

    setTabOrder(txtPath_, btnCancel_);
    setTabOrder(btnCancel_, btnSetup_);
    txtPath_->setFocus();

    LoadPictures();

    connect(txtPath_, &QLineEdit::textChanged, this, &frmPath::ValidatePath);
    connect(btnSetup_, &QPushButton::clicked, this, [this] {
        if (!ExistsAsTyped(txtPath_->text()))
            return;
        path_ = txtPath_->text();
        canceled_ = false;
        accept();
    });
    // Escape and the close box reject the dialog too; Path stays empty then.
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] {
        path_.clear();
        canceled_ = true;
    });
}

void frmPath::LoadPictures()
{
    btnSetup_->setIcon(IconFolderIcon(QStringLiteral("setup.bmp")));
    btnCancel_->setIcon(IconFolderIcon(QStringLiteral("close.bmp")));
}

void frmPath::ShowDialog(const QString& title, const QString& caption, int pathType,
                         const QString& path)
{
    setWindowTitle(ApplicationTitle() + QStringLiteral(" -") + title + QStringLiteral(" -"));
    lblPath_->setText(caption);
    lblPath_->adjustSize();
    pathType_ = pathType;
    txtPath_->setText(path);

    ExecModal(*this);
}

bool frmPath::ExistsAsTyped(const QString& text)
{
    // The folder test forgives blanks around the name, but the file system does
    // not: such a link could never be opened.
    if (IsURL(text) || !(text.startsWith(u' ') || text.endsWith(u' ')) || QFileInfo::exists(text))
        return true;
    ShowMessage(QStringLiteral("パスの前後の空白も名前の一部として扱われます。\r\n"
                               "「%1」という名前のファイルやフォルダーはありません。"
                               "空白を取り除いてから設定してください。")
                    .arg(text),
                ApplicationTitle(), MessageIcon::Information, MessageButtons::Ok);
    return false;
}

void frmPath::ValidatePath()
{
    const QString text = txtPath_->text();
    if (LinkRules::IsBlank(text)) {
        btnSetup_->setEnabled(false);
        return;
    }
    if (const auto passes = LinkRules::PassesPathType(text, pathType_))
        btnSetup_->setEnabled(*passes);
}

bool frmPath::HandleDrag(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    // A drag out of the box itself moves its text as in any box.
    if (LinkRules::StartedInside(drop->source(), txtPath_))
        return false;
    const LinkRules::DroppedData data = LinkRules::ReadDrop(drop->mimeData());
    const bool taken = data.kind == LinkRules::DroppedData::File ||
                       (data.kind == LinkRules::DroppedData::Text && IsURL(data.value));
    if (!taken) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        txtPath_->setText(data.value);
    return true;
}

bool frmPath::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtPath_) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return HandleDrag(event);
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
