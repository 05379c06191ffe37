#pragma once
// Stretches one other control of its window (the target, found by object name
// anywhere in the top-level window, also inside a GroupingBox) with the window:
// at each resize the target is put at the near margins and sized so that its
// far edges keep MarginRight / MarginBottom from the window's right and bottom
// edges. Margins are in twips; the target's own position is measured in
// whatever contains it, the window's size in the window's interior.
//
// The control is invisible and fixed at 480 x 480 twips. Enabled is whether the target
// follows the window, not QWidget's enabled state.
#include "ui/controls/MarginedControl.h"

#include <QPointer>
#include <QRect>

#include <optional>

class Expander : public MarginedControl {
    Q_OBJECT
    Q_PROPERTY(QString TargetName READ TargetName WRITE SetTargetName)
    Q_PROPERTY(qint32 Expands READ Expands WRITE SetExpands)
    Q_CLASSINFO("TargetName", "対象オブジェクト")
    Q_CLASSINFO("Expands", "対象オブジェクトをどちらの方向に伸縮するのか")

public:
    static inline const QString RegisteredIdentifier = QStringLiteral("Quillmere.Expander");
    static constexpr int SizeTwips = 480;

    enum Direction : qint32 { Horizontal = 0, Vertical = 1, Both = 2 };

    explicit Expander(QWidget* parent = nullptr);
    ~Expander() override;

    QString Identifier() const override { return RegisteredIdentifier; }

    QString TargetName() const { return targetName_; }
    // An empty name is ignored; any other is stored and bound again.
    void SetTargetName(const QString& name);
    qint32 Expands() const { return expands_; }
    void SetExpands(qint32 value);

    // The bound target; null until a target is bound.
    QWidget* Target() const { return target_; }

    void ReadProperties(const QVariantMap& bag) override;
    QVariantMap WriteProperties() const override;

    // The target's new placement in twips for a window interior of width x
    // height, from its current placement; nullopt when nothing changes.
    // A negative width or height is kept in the result: the caller refuses it.
    static std::optional<QRectF> Layout(qint32 expands, const QRectF& target, double width,
                                        double height, qint32 marginLeft, qint32 marginRight,
                                        qint32 marginTop, qint32 marginBottom);

protected:
    void Loaded() override;
    void WindowResized(QWidget* window) override;

private:
    void BindTarget();
    void FixOwnSize();

    QString targetName_;
    qint32 expands_ = Horizontal;
    QPointer<QWidget> target_;
};
