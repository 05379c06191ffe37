#pragma once
// A container that keeps its place against the edges of its window: pinned to
// the right or bottom edge at a margin, or centred between two margins. The
// controls inside keep their positions inside it; its size never changes.
// Margins are in twips.
//
// Enabled here is whether the box follows the window; it is not QWidget's
// enabled state, which would disable the controls inside.
#include "ui/controls/MarginedControl.h"

#include <optional>

class GroupingBox : public MarginedControl {
    Q_OBJECT
    Q_PROPERTY(qint32 HorizontalLayout READ HorizontalLayout WRITE SetHorizontalLayout)
    Q_PROPERTY(qint32 VerticalLayout READ VerticalLayout WRITE SetVerticalLayout)

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
};
