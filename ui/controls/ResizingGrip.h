#pragma once
// The size grip of a sizable window: 180 x 180 twips, kept in the lower-right
// corner of the window's interior, drawn as six 2 x 2 dots in the palette's
// highlight (Light) and shadow (Dark) colours. A left press starts the window
// system's interactive resize from the lower-right corner; where the window
// system cannot (no window manager), the window follows the mouse until the
// button is released.
#include "ui/controls/LayoutControl.h"

#include <QPointF>
#include <QSize>

class ResizingGrip : public LayoutControl {
    Q_OBJECT

public:
    static inline const QString RegisteredIdentifier = QStringLiteral("Quillmere.ResizingGrip");
    static constexpr int SizeTwips = 180;

    explicit ResizingGrip(QWidget* parent = nullptr);

    QString Identifier() const override { return RegisteredIdentifier; }

    // The grip has no properties of its own.
    void ReadProperties(const QVariantMap&) override {}
    QVariantMap WriteProperties() const override { return {}; }

    // True while the window follows the mouse after a press.
    bool IsFollowingMouse() const { return following_; }

protected:
    void Loaded() override;
    void WindowResized(QWidget* window) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void MoveToCorner();

    bool following_ = false;
    QPointF pressedAt_;
    QSize startSize_;
};
