#pragma once
// A container that keeps its place against the edges of its window: pinned to
// the right or bottom edge at a margin, or centred between two margins. The
// controls inside keep their positions inside it; its size never changes.
// Margins are in twips.
//
// Enabled here is whether the box follows the window; it is not QWidget's
// enabled state, which would disable the controls inside.
#include "ui/controls/LayoutControl.h"

#include <optional>

class GroupingBox : public LayoutControl {
    Q_OBJECT
    Q_PROPERTY(qint32 HorizontalLayout READ HorizontalLayout WRITE SetHorizontalLayout)
    Q_PROPERTY(qint32 VerticalLayout READ VerticalLayout WRITE SetVerticalLayout)
    Q_PROPERTY(qint32 MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(qint32 MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(qint32 MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(qint32 MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    static inline const QString RegisteredIdentifier = QStringLiteral("Quillmere.GroupingBox");

    // Rules of HorizontalLayout and VerticalLayout; other values leave the axis alone.
    enum Rule : qint32 { Pin = 1, Centre = 2 };

    explicit GroupingBox(QWidget* parent = nullptr);

    QString Identifier() const override { return RegisteredIdentifier; }

    qint32 HorizontalLayout() const { return horizontalLayout_; }
    void SetHorizontalLayout(qint32 value);
    qint32 VerticalLayout() const { return verticalLayout_; }
    void SetVerticalLayout(qint32 value);
    qint32 MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(qint32 value);
    qint32 MarginRight() const { return marginRight_; }
    void SetMarginRight(qint32 value);
    qint32 MarginTop() const { return marginTop_; }
    void SetMarginTop(qint32 value);
    qint32 MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(qint32 value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    void ReadProperties(const QVariantMap& bag) override;
    QVariantMap WriteProperties() const override;

    // The box's new near edge on one axis, all in twips: extent is the window's
    // interior length, size the box's own; nullopt when the rule leaves it alone.
    static std::optional<double> Position(qint32 rule, double extent, double size,
                                          double nearMargin, double farMargin);

protected:
    void Loaded() override;
    void WindowResized(QWidget* window) override;

private:
    qint32 horizontalLayout_ = Pin;
    qint32 verticalLayout_ = Pin;
    qint32 marginLeft_ = 0;
    qint32 marginRight_ = 0;
    qint32 marginTop_ = 0;
    qint32 marginBottom_ = 0;
    bool enabled_ = true;
};
