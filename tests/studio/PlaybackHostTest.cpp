#include "GhostTrail.h"
#include "StudioHarness.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <outside/GraphicsUtility.h>
#include <viewport/ViewportWidget.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

class PlaybackHostTest : public StudioHarness
{
protected:
    void SetUp() override
    {
        // Playback yields here: timers and clicks must get through.
        platform->onPumpMessages([] { QCoreApplication::processEvents(); });
        StudioHarness::SetUp();
    }

    sg::SceneGraph& graph() { return window->sceneGraph(); }
    void poseAt(float frame)
    {
        const auto scene = graph().scene();
        for (const auto& group : scene->groupList())
            group->ApplyFrame(frame);
        scene->rootGroup()->RefreshTree(true);
    }
    void requestRender() { emit window->panel()->evtreqRenderAllViews(); }
    static QList<viewport::RenderItem> ghostsIn(const viewport::ViewportWidget* view)
    {
        QList<viewport::RenderItem> ghosts;
        for (const auto& item : view->scene().items)
            if (item.opacity < 1.0f)
                ghosts.append(item);
        return ghosts;
    }
    // Presses a start button; the run loops inside the click until the callback stops it.
    void playFor(const QString& button, int milliseconds, const std::function<void()>& whilePlaying)
    {
        auto* start = window->panel()->findChild<QAbstractButton*>(button);
        ASSERT_NE(start, nullptr);
        ASSERT_TRUE(start->isEnabled());
        QTimer::singleShot(milliseconds, window, [&] {
            whilePlaying();
            window->panel()->HaltAnimation();
        });
        start->click();
    }
};

} // namespace

TEST_F(PlaybackHostTest, GhostFramesAccumulateAndFadeAwayAfterTheDelay)
{
    const auto state = graph().applicationState();
    const int perSet = geometricShapes(*graph().scene());
    const auto playGhosts = [&](std::initializer_list<float> frames) {
        state->setGhostState(1);
        for (const float frame : frames) {
            poseAt(frame);
            requestRender();
        }
        state->setGhostState(2);
        poseAt(0.0f);
        requestRender();
        state->setGhostState(0);
    };
    playGhosts({10.0f, 30.0f});
    playGhosts({20.0f, 40.0f, 60.0f});
    window->renderAllViews(); // drawn for another reason: no ghosts added
    EXPECT_EQ(window->ghostTrail().setCount(), 3) << "a new run starts afresh";
    const auto ghosts = ghostsIn(window->perspectiveView());
    ASSERT_EQ(ghosts.size(), 3 * perSet);
    EXPECT_EQ(ghostsIn(window->topView()).size(), 3 * perSet);
    int moved = 0;
    for (int i = 0; i < perSet; ++i)
        moved += ghosts[i].world != ghosts[perSet + i].world;
    EXPECT_GT(moved, 0) << "each set stands where the shapes stood at its frame";

    graph().CreateGraphicsUtility()->GhostDelay(400);
    const auto held = ghostsIn(window->topView());
    ASSERT_EQ(held.size(), 3 * perSet);
    EXPECT_LT(held.front().opacity, GhostTrail::Opacity) << "faded while they stay";
    QTest::qWait(100);
    EXPECT_EQ(ghostsIn(window->perspectiveView()).size(), 3 * perSet);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ghostsIn(window->topView()).isEmpty(); }, 2000));
    EXPECT_TRUE(ghostsIn(window->perspectiveView()).isEmpty());
}

// Playback shows its rate and draws the views. The rendering rectangle follows the views;
// full-screen playback covers it, and the views rest.
TEST_F(PlaybackHostTest, PlaybackShowsItsRateAndFullScreenCoversTheViewsWhichRestMeanwhile)
{
    window->resize(900, 640);
    window->move(30, 40);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const auto covers = [this] { return graph().renderingRectangle() == window->viewsArea(); };
    EXPECT_TRUE(covers());
    EXPECT_TRUE(window->viewsArea().contains(window->topView()->mapToGlobal(QPoint(5, 5))));
    const QRect before = graph().renderingRectangle();
    window->resize(1100, 760);
    window->move(80, 20);
    QTest::qWait(20);
    EXPECT_TRUE(covers());
    EXPECT_NE(graph().renderingRectangle(), before);

    auto* misc = window->findChild<QLabel*>(QStringLiteral("lblStatusMisc"));
    QString shown;
    int redraws = window->redrawCount();
    playFor(QStringLiteral("cmdPlay"), 1300, [&] { shown = misc->text(); });
    const auto rate =
        QRegularExpression(QStringLiteral("^ Animating: (\\d+) Frames/Second$")).match(shown);
    ASSERT_TRUE(rate.hasMatch()) << qPrintable(shown);
    EXPECT_GT(rate.captured(1).toInt(), 0);
    EXPECT_GT(window->redrawCount() - redraws, rate.captured(1).toInt() / 2);
    EXPECT_TRUE(misc->text().isEmpty()) << "cleared at the end";

    QRect covered;
    int redrawsWhileCovered = -1;
    redraws = window->redrawCount();
    playFor(QStringLiteral("cmdPlayFullScreen"), 400, [&] {
        const auto* animate = window->panel()->findChild<QWidget*>(QStringLiteral("frmAnimate"));
        const auto* drawing =
            animate ? animate->findChild<viewport::ViewportWidget*>(QStringLiteral("dfvViewport"))
                    : nullptr;
        if (drawing && drawing->isVisible())
            covered = QRect(drawing->mapToGlobal(QPoint(0, 0)), drawing->size());
        redrawsWhileCovered = window->redrawCount() - redraws;
    });
    EXPECT_TRUE(covers());
    EXPECT_EQ(covered, window->viewsArea());
    EXPECT_EQ(redrawsWhileCovered, 0);
    EXPECT_GT(window->redrawCount(), redraws) << "normal display brings the views back";
}
