#include "ui/controls/ModelListControl.h"

#include <QComboBox>
#include <QListView>
#include <QSignalSpy>
#include <QStringListModel>
#include <QWidget>

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

TEST(ModelListControlTest, HiddenFillReachesTheModelInOneResetWhenShown)
{
    QWidget window;
    auto* view = new QListView(&window);
    window.show();
    ModelListControl control(view);
    QSignalSpy resets(control.model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(control.model(), &QAbstractItemModel::rowsInserted);

    control.SetVisible(false);
    control.Clear();
    EXPECT_TRUE(view->isHidden());
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        control.AddItem(QString::number(i));
    // Nothing reached the model while hidden.
    EXPECT_EQ(control.model()->rowCount(), 0);
    const int resetsBefore = resets.count();

    control.SetVisible(true);
    EXPECT_FALSE(view->isHidden());
    EXPECT_EQ(control.model()->rowCount(), count);
    EXPECT_EQ(resets.count() - resetsBefore, 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(control.model()->index(0).data().toString(), QStringLiteral("0"));
    EXPECT_EQ(control.model()->index(count - 1).data().toString(), QString::number(count - 1));
}

TEST(ModelListControlTest, RefillReplacesAndVisibleAddShowsAtOnce)
{
    QComboBox combo;
    ModelListControl control(&combo);
    EXPECT_EQ(combo.model(), control.model());

    for (const QString& round : {QStringLiteral("a"), QStringLiteral("b")}) {
        control.SetVisible(false);
        control.Clear();
        control.AddItem(round + u'1');
        control.AddItem(round + u'2');
        control.SetVisible(true);
    }
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("b1"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("b2"));

    // Added while shown: in the combo box straight away, after what was there.
    control.AddItem(QStringLiteral("日本語"));
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(2), QStringLiteral("日本語"));

    // Items collected without a Clear are appended to the shown ones.
    control.SetVisible(false);
    control.AddItem(QStringLiteral("z"));
    EXPECT_EQ(combo.count(), 3);
    control.SetVisible(true);
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.itemText(3), QStringLiteral("z"));
}

TEST(ModelListControlTest, OutlivingItsViewIsHarmless)
{
    auto* view = new QListView;
    ModelListControl control(view);
    delete view;
    control.SetVisible(false);
    control.AddItem(QStringLiteral("x"));
    control.SetVisible(true);
    control.Clear();
    control.AddItem(QStringLiteral("y"));
    EXPECT_EQ(control.model(), nullptr);
}
