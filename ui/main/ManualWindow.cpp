#include "ui/main/ManualWindow.h"

#include "env/Folders.h"
#include "env/System.h"

#include <QFileInfo>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

ManualWindow::ManualWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("ManualWindow"));
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 取扱説明書 -"));
    if (owner)
        setWindowIcon(owner->window()->windowIcon());
    txtManual_ = new QTextBrowser(this);
    txtManual_->setObjectName(QStringLiteral("txtManual"));
    // Every link comes to FollowLink, so nothing outside the manual is shown in here.
    txtManual_->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtManual_);
    resize(720, 600);
    connect(txtManual_, &QTextBrowser::anchorClicked, this, &ManualWindow::FollowLink);
}

void ManualWindow::Open(QWidget* owner, const QString& anchor)
{
    const QString path = ProgramFolderPath() + QStringLiteral("/readme.html");
    QString target = path;
    if (!anchor.isEmpty()) {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(anchor);
        target = url.toString();
    }
    QPointer<QWidget> guard(owner);
    OpenWithShellOrElse(target, [guard, path, anchor] {
        if (!guard)
            return;
        ManualWindow* window = Of(guard);
        if (!window) {
            window = new ManualWindow(guard);
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
        window->ShowManual(path, anchor);
    });
}

ManualWindow* ManualWindow::Of(const QWidget* owner)
{
    return owner->findChild<ManualWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

void ManualWindow::ShowManual(const QString& path, const QString& anchor)
{
    // Shown first: a window not yet laid out cannot scroll to an anchor.
    show();
    raise();
    activateWindow();
    if (!QFileInfo(path).isFile()) {
        txtManual_->setPlainText(QStringLiteral("取扱説明書が見つかりません: ") + path);
        return;
    }
    QUrl source = QUrl::fromLocalFile(path);
    if (txtManual_->source().adjusted(QUrl::RemoveFragment) != source)
        txtManual_->setSource(source);
    if (anchor.isEmpty())
        txtManual_->verticalScrollBar()->setValue(0);
    else
        txtManual_->scrollToAnchor(anchor);
}

void ManualWindow::FollowLink(const QUrl& link)
{
    const QUrl manual = txtManual_->source().adjusted(QUrl::RemoveFragment);
    const QUrl target = manual.resolved(link);
    if (target.adjusted(QUrl::RemoveFragment) == manual) {
        txtManual_->scrollToAnchor(target.fragment());
        return;
    }
    OpenWithShell(target.isLocalFile() ? target.toLocalFile() : target.toString());
}
