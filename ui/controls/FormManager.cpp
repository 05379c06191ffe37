#include "ui/controls/FormManager.h"

#include "env/INIFileManager.h"
#include "ui/controls/SettingKeys.h"
#include "ui/controls/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontInfo>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

using SettingKeys::Height;
using SettingKeys::Left;
using SettingKeys::Top;
using SettingKeys::Topmost;
using SettingKeys::Width;

// Values are kept at single precision, as they were first written.
SettingValue Pixels(double pixels)
{
    return SettingValue(static_cast<double>(static_cast<float>(pixels)));
}

// The stored number; nothing, with the setting in *unread, for a text that is none.
std::optional<float> ReadPixels(const QString& file, const QString& section, const QString& key,
                                double defaultPixels, std::optional<SettingConversionError>& unread)
{
    const QString text = ReadSetting(file, section, key, Pixels(defaultPixels));
    const auto number = SettingToNumber(text);
    if (!number || !std::isfinite(static_cast<float>(*number))) {
        unread.emplace(section, key, text);
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

// The default position that centres a length on the screen, in pixels.
double CentredPixels(double screenTwips, double windowTwips, double twipsPerPixel)
{
    return std::trunc(Twips::RoundHalfEven(screenTwips - windowTwips) / 2) / twipsPerPixel;
}

// Every screen together: a stored position far outside it or a size larger
// than it comes from another machine or a damaged file, and would make a
// window no one can reach or one too big to draw.
QRect Desktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}

// A stored position within a generous band around the desktop, else the default.
float Bounded(float value, float defaultValue, int start, int length)
{
    if (length <= 0)
        return value;
    const float low = static_cast<float>(start) - static_cast<float>(length);
    const float high = static_cast<float>(start) + 2.0f * static_cast<float>(length);
    return value >= low && value <= high ? value : defaultValue;
}

// A window that lies on no screen at all is moved onto the nearest one; one
// that shows in part stays where it was put.
void KeepOnAScreen(QWidget* window, const QMargins& margins)
{
    const QRect frame(window->pos(), window->size().grownBy(margins));
    const QScreen* nearest = nullptr;
    qint64 best = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        if (area.intersects(frame))
            return;
        const QPoint d = area.center() - frame.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (!nearest || distance < best) {
            nearest = screen;
            best = distance;
        }
    }
    if (!nearest)
        return;
    const QRect area = nearest->availableGeometry();
    const int x = std::max(area.left(), std::min(frame.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.y(), area.bottom() + 1 - frame.height()));
    window->move(x, y);
}

QSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

bool IsProgramWindow(const QWidget* widget)
{
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Tool:
        return true;
    default:
        return false;
    }
}

int OwnerDepth(const QWidget* widget)
{
    int depth = 0;
    for (const QWidget* p = widget->parentWidget(); p; p = p->parentWidget())
        ++depth;
    return depth;
}

// How much the frame adds to the interior, as far as it is known: Qt knows it
// for a shown window, the native window (if there is one) before that.
QMargins FrameMargins(const QWidget* window)
{
    if (window->isVisible()) {
        const QRect inner = window->geometry();
        const QRect outer = window->frameGeometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// A window restored before it was first shown gets its stored outer size as
// its interior, since its frame is not known yet; once it is shown, the frame
// is taken off again. Without this every run would grow the window by its frame.
class FrameCorrection : public QObject {
public:
    FrameCorrection(QWidget* window, QSize outer, bool width, bool height)
        : QObject(window), outer_(outer), width_(width), height_(height)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            // After the show has run its course, so the frame is placed already.
            QTimer::singleShot(0, this, [this] { Correct(); });
        }
        return false;
    }

private:
    void Correct()
    {
        auto* window = static_cast<QWidget*>(parent());
        const QMargins margins = FrameMargins(window);
        if (window->size() == outer_ && !margins.isNull()) {
            const QSize inner = outer_.shrunkBy(margins);
            window->resize(width_ ? inner.width() : outer_.width(),
                           height_ ? inner.height() : outer_.height());
        }
        deleteLater();
    }

    QSize outer_;
    bool width_;
    bool height_;
};

} // namespace

bool IsSizable(const QWidget* window)
{
    const QVariant declared = window->property("sizable");
    if (declared.isValid())
        return declared.toBool();
    if (window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint))
        return false;
    return window->minimumSize() != window->maximumSize();
}

bool IsTopmost(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void SetTopmost(QWidget* window, bool topmost)
{
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    // setWindowFlags would re-create the native window and hide it; the widget's
    // record and the native window are changed in place instead.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
}

std::optional<SettingConversionError> RestoreWindowPlacement(const QString& settingsFile,
                                                             QWidget* window)
{
    std::optional<SettingConversionError> unread;
    const QString section = window->objectName();
    const double perX = Twips::PerPixelX(window);
    const double perY = Twips::PerPixelY(window);
    const QSize screen = ScreenSize();
    const QMargins margins = FrameMargins(window);
    const QSize frame = window->size().grownBy(margins);
    const bool frameKnown = window->isVisible() || !margins.isNull();

    const QRect desktop = Desktop();
    const double centredLeft = CentredPixels(screen.width() * perX, frame.width() * perX, perX);
    const std::optional<float> storedLeft =
        ReadPixels(settingsFile, section, Left, centredLeft, unread);
    if (!storedLeft)
        return unread;
    const float left =
        Bounded(*storedLeft, static_cast<float>(centredLeft), desktop.x(), desktop.width());
    window->move(Twips::ToPixelsX(left * perX, window), window->y());

    const double centredTop = CentredPixels(screen.height() * perY, frame.height() * perY, perY);
    const std::optional<float> storedTop =
        ReadPixels(settingsFile, section, Top, centredTop, unread);
    if (!storedTop)
        return unread;
    const float top =
        Bounded(*storedTop, static_cast<float>(centredTop), desktop.y(), desktop.height());
    window->move(window->x(), Twips::ToPixelsY(top * perY, window));

    if (IsSizable(window)) {
        // Stored sizes are outer sizes; Qt sizes a window by its interior.
        const int frameWidth = margins.left() + margins.right();
        const int frameHeight = margins.top() + margins.bottom();
        const double currentWidth = window->width() + frameWidth;
        const std::optional<float> storedWidth =
            ReadPixels(settingsFile, section, Width, currentWidth, unread);
        if (!storedWidth)
            return unread;
        float width = *storedWidth;
        if (!desktop.isEmpty())
            width = std::min(width, static_cast<float>(desktop.width()));
        window->resize(Twips::ToPixelsX(width * perX, window) - frameWidth, window->height());
        const double currentHeight = window->height() + frameHeight;
        const std::optional<float> storedHeight =
            ReadPixels(settingsFile, section, Height, currentHeight, unread);
        if (!storedHeight)
            return unread;
        float height = *storedHeight;
        if (!desktop.isEmpty())
            height = std::min(height, static_cast<float>(desktop.height()));
        window->resize(window->width(), Twips::ToPixelsY(height * perY, window) - frameHeight);
        // A size that was only the default is the interior already.
        const bool widthStored = width != static_cast<float>(currentWidth);
        const bool heightStored = height != static_cast<float>(currentHeight);
        if (!frameKnown && (widthStored || heightStored))
            new FrameCorrection(window, window->size(), widthStored, heightStored);
    }

    KeepOnAScreen(window, margins);

    const QString topmostText =
        ReadSetting(settingsFile, section, Topmost, SettingKeys::TopmostDefault);
    const auto topmost = SettingToTruth(topmostText);
    if (!topmost)
        return SettingConversionError(section, Topmost, topmostText);
    SetTopmost(window, *topmost);
    return std::nullopt;
}

void SaveWindowPlacement(const QString& settingsFile, QWidget* window)
{
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen())
        return;
    const QString section = window->objectName();
    const QRect frame = QRect(window->pos(), window->size().grownBy(FrameMargins(window)));
    std::vector<std::pair<QString, SettingValue>> values = {{Left, Pixels(frame.x())},
                                                            {Top, Pixels(frame.y())}};
    if (IsSizable(window)) {
        values.emplace_back(Width, Pixels(frame.width()));
        values.emplace_back(Height, Pixels(frame.height()));
    }
    values.emplace_back(Topmost, IsTopmost(window));
    WriteSettings(settingsFile, section, values);
}

std::optional<SettingConversionError> LoadWindowFont(const QString& settingsFile,
                                                     const QString& name, QFont& font)
{
    const QString section = name + SettingKeys::FontSectionSuffix;
    const QString face = ReadSetting(settingsFile, section, SettingKeys::FontName, font.family());
    if (!face.isEmpty())
        font.setFamily(face);

    double current = font.pointSizeF();
    if (current <= 0)
        current = QFontInfo(font).pointSizeF();
    const QString sizeText = ReadSetting(settingsFile, section, SettingKeys::FontSize, current);
    const auto size = SettingToNumber(sizeText);
    if (!size || !std::isfinite(*size))
        return SettingConversionError(section, SettingKeys::FontSize, sizeText);
    // No one writes with a size beyond these; such a value keeps the design size.
    if (*size >= 1 && *size <= 500)
        font.setPointSizeF(std::round(*size * 10000) / 10000);
    return std::nullopt;
}

void SaveWindowFont(const QString& settingsFile, const QString& name, const QFont& font)
{
    const QString section = name + SettingKeys::FontSectionSuffix;
    double size = font.pointSizeF();
    if (size <= 0)
        size = QFontInfo(font).pointSizeF();
    WriteSettings(settingsFile, section,
                  {{SettingKeys::FontName, font.family()},
                   {SettingKeys::FontSize, std::round(size * 10000) / 10000}});
}

void UnloadAllWindows()
{
    QList<QPointer<QWidget>> windows;
    const auto all = QApplication::topLevelWidgets();
    for (QWidget* widget : all) {
        if (IsProgramWindow(widget))
            windows.append(widget);
    }
    std::stable_sort(windows.begin(), windows.end(),
                     [](const QPointer<QWidget>& a, const QPointer<QWidget>& b) {
                         return OwnerDepth(a) > OwnerDepth(b);
                     });
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            window->close();
    }
}
