#include "KeyboardShortcuts.h"

#include "PropertyEditor.h"
#include "StudioHarness.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <UpDownText.h>

using namespace vellum;
using namespace vellum::studio;

using KeyboardShortcutsTest = StudioHarness;

TEST_F(KeyboardShortcutsTest, KeysPressThePanelsButtonsButNotInsideATextBox)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto& slider = panelWidget<common::TrackBar>("sldFrame");
    QWidget* timeBox = &panelWidget<common::UpDownText>("txtAnimationTime");
    QWidget* poseField = window->propertyEditor()->field(PropertyEditor::X);
    // Into a box that has the focus, or into the window with nothing focused.
    const auto typeInto = [this](QWidget* box, Qt::Key key) {
        if (box)
            box->setFocus();
        else if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        QTest::keyClick(box ? box : window, key);
    };
    slider.setValue(40);
    slider.setSelStart(20);
    slider.setSelLength(40);

    const struct
    {
        Qt::Key key;
        QWidget* focus;
        int frame;
    } rows[] = {{Qt::Key_Right, nullptr, 41}, {Qt::Key_Left, nullptr, 40},
                {Qt::Key_End, nullptr, 60},   {Qt::Key_Right, nullptr, 60},
                {Qt::Key_Home, nullptr, 20},  {Qt::Key_Left, nullptr, 20},
                {Qt::Key_End, timeBox, 20},   {Qt::Key_Right, poseField, 20}};
    for (const auto& row : rows) {
        typeInto(row.focus, row.key);
        EXPECT_EQ(slider.Value(), row.frame)
            << qPrintable(QKeySequence(row.key).toString()) << " in "
            << (row.focus ? qPrintable(row.focus->objectName()) : "the window");
    }

    // Space plays, and inside the run (which pumps messages) Space stops it.
    int runs = 0;
    QObject::connect(window->panel(), &animation::Animation::evtReqPrepareForAnimation,
                     window->panel(), [&runs](int&) { ++runs; });
    int pumps = 0;
    platform->onPumpMessages([&] {
        if (++pumps == 3)
            typeInto(nullptr, Qt::Key_Space);
    });
    typeInto(nullptr, Qt::Key_Space);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(pumps, 3) << "the run went on after the second Space";

    EXPECT_EQ(panelWidget<QWidget>("cmdStepForward").toolTip(),
              QStringLiteral("Step Forward (Right)"));
    const auto listed = KeyboardShortcuts::list(*window);
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [](const auto& entry) {
        return entry.keys == QKeySequence(Qt::Key_Space);
    }));
}
