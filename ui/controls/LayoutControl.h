#pragma once
// Common ground of the layout controls (Expander, GroupingBox, ResizingGrip):
// each follows the resizes of the window it sits in through an event filter on
// that window's interior, can be created from a window design by its
// registered identifier.
//
// Loading: a control loads once, when it is first polished (which Qt does for
// every child as the window is first shown) or when Load() is called earlier.
// Loading attaches the window (when the control's Enabled property is true)
// and lets the control bind what it needs.
//
// "The window" of a control is its top-level window; for a QMainWindow it is
// the central widget, the interior below the menu bar, which is also where the
// window's controls sit. Its size in twips is the window's scale size.
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class LayoutControl : public QWidget {
    Q_OBJECT

public:
    explicit LayoutControl(QWidget* parent = nullptr);
    ~LayoutControl() override;

    // The name by which window designs refer to the control's kind.
    virtual QString Identifier() const = 0;

    void Load();
    bool IsLoaded() const { return loaded_; }
    // The window whose resizes reach the control; null while not attached.
    QWidget* AttachedWindow() const { return attached_; }

    // The design's property store: read fills every property from the bag (a
    // missing one takes its default) without notifying; write gives only the
    // properties whose value differs from the default.
    virtual void ReadProperties(const QVariantMap& bag) = 0;
    virtual QVariantMap WriteProperties() const = 0;

    // A control of the kind registered under the identifier ("Quillmere.Expander",
    // "Quillmere.GroupingBox", "Quillmere.ResizingGrip"), with its object name and
    // stored properties; null for an unknown identifier.
    static LayoutControl* Create(const QString& identifier, QWidget* parent,
                                 const QString& name = {}, const QVariantMap& bag = {});
    // Loads every layout control inside the window, in creation order.
    static void LoadAll(QWidget* window);
    // The widget whose size is the window's interior for a control inside it.
    static QWidget* WindowInterior(const QWidget* inside);

signals:
    // A property was assigned (the design environment saves the design then).
    void PropertyChanged(const QString& name);

protected:
    // Attaches to (or detaches from) the window's resizes.
    void AttachParent(bool attach);
    // Called once when loading, after attaching.
    virtual void Loaded() {}
    // The attached window was resized.
    virtual void WindowResized(QWidget* window) = 0;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool loaded_ = false;
    QPointer<QWidget> attached_;
};
