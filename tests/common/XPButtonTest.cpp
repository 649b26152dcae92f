#include "XPButton.h"

#include "ErrorNumber.h"
#include "OptionGroup.h"

#include <QSignalSpy>
#include <QTest>
#include <gmock/gmock.h>

using namespace vellum;
using namespace vellum::common;

TEST(XPButton, UserClicksClickAndFlipOnlyAToggle)
{
    for (const bool toggle : {false, true}) {
        XPButton button;
        button.resize(22, 22);
        button.setToggle(toggle);
        QSignalSpy clicks(&button, &XPButton::Click);
        for (int click = 1; click <= 3; ++click) {
            QTest::mouseClick(&button, Qt::LeftButton);
            EXPECT_EQ(clicks.count(), click);
            EXPECT_EQ(button.Value(), toggle && click % 2 == 1) << toggle << " click " << click;
        }
    }
}

TEST(XPButton, MouseCodesNoClickFromCodeTheRightButtonOrWhenDisabled)
{
    XPButton button;
    button.resize(22, 22);
    button.setToggle(true);
    QSignalSpy downs(&button, &XPButton::MouseDown);
    QSignalSpy ups(&button, &XPButton::MouseUp);
    QSignalSpy clicks(&button, &XPButton::Click);

    QTest::mouseClick(&button, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier,
                      QPoint(5, 7));
    ASSERT_EQ(std::tuple(downs.count(), ups.count()), std::tuple(1, 1));
    EXPECT_EQ(downs.at(0), (QList<QVariant>{2, 6, 5.0f, 7.0f}));
    EXPECT_EQ(ups.at(0).at(0).toInt(), 2);
    EXPECT_EQ(std::tuple(clicks.count(), button.Value()), std::tuple(0, false));

    QTest::mouseClick(&button, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(downs.at(1).mid(0, 2), (QList<QVariant>{1, 1}));
    EXPECT_EQ(clicks.count(), 1);

    // Released outside the button: no click, but the release is still reported.
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(std::tuple(ups.count(), clicks.count()), std::tuple(3, 1));

    QSignalSpy values(&button, &XPButton::valueChanged);
    button.setValue(false);
    button.setValue(false);
    EXPECT_EQ(std::tuple(button.Value(), values.count()), std::tuple(false, 1));
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(std::tuple(button.Value(), clicks.count()), std::tuple(false, 1));
}

TEST(OptionGroup, OnePressedAtATime)
{
    XPButton buttons[3];
    OptionGroup group;
    for (int i = 0; i < 3; ++i) {
        buttons[i].resize(22, 22);
        EXPECT_EQ(group.addButton(&buttons[i]), i);
    }
    const auto values = [&] {
        return std::vector<bool>{buttons[0].Value(), buttons[1].Value(), buttons[2].Value()};
    };
    QSignalSpy clicks(&group, &OptionGroup::Click);
    EXPECT_EQ(group.Value(), -1);

    QTest::mouseClick(&buttons[1], Qt::LeftButton);
    EXPECT_EQ(values(), (std::vector<bool>{false, true, false}));
    QTest::mouseClick(&buttons[2], Qt::LeftButton);
    EXPECT_EQ(values(), (std::vector<bool>{false, false, true}));
    QTest::mouseClick(&buttons[2], Qt::LeftButton); // stays pressed
    EXPECT_EQ(values(), (std::vector<bool>{false, false, true}));
    ASSERT_EQ(clicks.count(), 3);
    EXPECT_EQ(std::tuple(clicks.at(0).at(0).toInt(), clicks.at(2).at(0).toInt()), std::tuple(1, 2));

    buttons[0].setValue(true); // from code: exclusive, but no click
    EXPECT_EQ(values(), (std::vector<bool>{true, false, false}));
    group.setValue(1);
    EXPECT_EQ(std::tuple(group.Value(), clicks.count()), std::tuple(1, 3));
    EXPECT_EQ(values(), (std::vector<bool>{false, true, false}));

    EXPECT_EQ(vellum::testing::errorNumberOf([&] { group.setValue(3); }),
              ErrorNumber::SubscriptOutOfRange);
}
