#include "ui/main/frmFont.h"

#include "env/Folders.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/ModalDialog.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSmallestSize = 8;
constexpr int kLargestSize = 32;

} // namespace

frmFont::frmFont(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmFont"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::ToPixelsX(3960, this), Twips::ToPixelsY(2490, this));
    setFont(DesignFonts::WindowFont());
    setWindowIcon(owner ? owner->window()->windowIcon() : QApplication::windowIcon());
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - フォントの設定 -"));

    lblFont_ = new QLabel(QStringLiteral("フォント"), this);
    lblFont_->setObjectName(QStringLiteral("lblFont"));
    lblFont_->move(Twips::ToPixelsX(150, this), Twips::ToPixelsY(150, this));
    lblFont_->adjustSize();

    lstFont_ = new QComboBox(this);
    lstFont_->setObjectName(QStringLiteral("lstFont"));
    Twips::Place(lstFont_, 150, 375, 2640, 315);

    lblSize_ = new QLabel(QStringLiteral("大きさ"), this);
    lblSize_->setObjectName(QStringLiteral("lblSize"));
    lblSize_->move(Twips::ToPixelsX(2925, this), Twips::ToPixelsY(150, this));
    lblSize_->adjustSize();

    lstSize_ = new QComboBox(this);
    lstSize_->setObjectName(QStringLiteral("lstSize"));
    Twips::Place(lstSize_, 2925, 375, 915, 315);

    txtPreview_ = new QPlainTextEdit(this);
    txtPreview_->setObjectName(QStringLiteral("txtPreview"));
    // Taller than the design's 615 twips and with a thin margin, so the sample, which
    // wraps at 16 points, shows its second line whole with the installed faces.
    Twips::Place(txtPreview_, 150, 825, 3690, 720);
    txtPreview_->document()->setDocumentMargin(1);
    // A sample needs no scrolling, and scroll bars would take the room of its second line.
    txtPreview_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtPreview_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtPreview_->setPlainText(QStringLiteral("すばやい赤狐、のろまな犬を飛び越える。\n"));
    QPalette previewPalette = txtPreview_->palette();
    previewPalette.setColor(QPalette::Base, previewPalette.color(QPalette::Button));
    txtPreview_->setPalette(previewPalette);

    btnSetup_ = new QPushButton(QStringLiteral("設定"), this);
    btnSetup_->setObjectName(QStringLiteral("btnSetup"));
    Twips::Place(btnSetup_, 2175, 1725, 750, 615);
    btnSetup_->setDefault(true);

    btnCancel_ = new QPushButton(QStringLiteral("中止"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    Twips::Place(btnCancel_, 3075, 1725, 750, 615);
    btnCancel_->setAutoDefault(false);

    setTabOrder(lstFont_, lstSize_);
    setTabOrder(lstSize_, btnSetup_);
    setTabOrder(btnSetup_, btnCancel_);
    setTabOrder(btnCancel_, txtPreview_);

    LoadPictures();
    FillLists();

    connect(lstFont_, &QComboBox::currentIndexChanged, this, &frmFont::PreviewSelection);
    connect(lstSize_, &QComboBox::currentIndexChanged, this, &frmFont::PreviewSelection);
    connect(btnSetup_, &QPushButton::clicked, this, [this] {
        fontAccepted_ = true;
        accept();
    });
    // Escape and the close box reject the dialog as this button does.
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { fontAccepted_ = false; });
}

void frmFont::LoadPictures()
{
    btnSetup_->setIcon(IconFolderIcon(QStringLiteral("setup.bmp")));
    btnCancel_->setIcon(IconFolderIcon(QStringLiteral("close.bmp")));
}

void frmFont::FillLists()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (!family.isEmpty())
            families.append(family);
    }
    // Sorted as a list box sorts: letter case only breaks ties.
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    lstFont_->addItems(families);
    lstFont_->setCurrentIndex(-1);

    for (int size = kSmallestSize; size <= kLargestSize; ++size)
        lstSize_->addItem(QString::number(size));
    lstSize_->setCurrentIndex(-1);
}

int frmFont::WholePoints(qreal pointSize)
{
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return static_cast<int>(std::nearbyint(pointSize));
}

void frmFont::SelectListItem(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        list->setCurrentIndex(index);
}

void frmFont::ApplyFontSelection(QFont& font) const
{
    if (!fontDialogReady_)
        return;
    // A list without a selection keeps that part of the font as it was, so
    // the caller always gets a usable font back.
    if (lstFont_->currentIndex() >= 0)
        font.setFamily(lstFont_->currentText());
    if (lstSize_->currentIndex() >= 0)
        font.setPointSize(lstSize_->currentText().toInt());
}

void frmFont::PreviewSelection()
{
    QFont preview = txtPreview_->font();
    ApplyFontSelection(preview);
    txtPreview_->setFont(preview);
}

void frmFont::ShowDialog(QFont& target)
{
    // A design face, not installed here, shows the face that stands in for it.
    SelectListItem(lstFont_, DesignFonts::FaceInUse(target.family()));
    // A font given in pixels has no point size to preselect.
    if (target.pointSizeF() > 0)
        SelectListItem(lstSize_, QString::number(WholePoints(target.pointSizeF())));
    fontDialogReady_ = true;
    PreviewSelection();

    ExecModal(*this);

    if (fontAccepted_)
        ApplyFontSelection(target);
}
