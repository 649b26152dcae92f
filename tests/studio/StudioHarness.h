#pragma once

// The studio's main window over a scripted platform, with a hand for the panel's widgets.

#include "DemoScene.h"
#include "MainWindow.h"

#include <Animation.h>
#include <QSet>
#include <QTest>
#include <ScriptedPlatform.h>
#include <TrackBar.h>
#include <Widgets.h>
#include <XPButton.h>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

namespace vellum::studio {

// Distinct colours among every third pixel of the area (the whole picture if none): a drawn
// scene shows many, an empty view one.
inline int colourCount(const QImage& image, QRect area = {})
{
    area = area.isEmpty() ? image.rect() : area;
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); y += 3)
        for (int x = area.left(); x <= area.right(); x += 3)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// What a view draws besides the modeller's markers.
inline int geometricShapes(const sg::Scene& scene)
{
    int count = 0;
    for (const auto& shape : scene.shapeList())
        count += shape->isVisible() && shape->isGeometric();
    return count;
}

class StudioHarness : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Installed first: the window's start-up already asks the platform.
        outside::setPlatform(platform);
        owner = std::make_unique<MainWindow>();
        window = owner.get();
    }
    void TearDown() override
    {
        owner.reset();
        EXPECT_TRUE(platform->allAnswersUsed());
        outside::setPlatform(nullptr);
    }

    template <typename Widget> Widget& panelWidget(const char* name)
    {
        return testing::child<Widget>(*window->panel(), name);
    }
    void click(const char* name) { testing::clickChild(*window->panel(), name); }
    void goTo(int frame) { panelWidget<common::TrackBar>("sldFrame").setValue(frame); }
    int device() { return window->sceneGraph().applicationState()->SceneDeviceID(); }
    std::shared_ptr<sg::Group> group(int number)
    {
        return window->sceneGraph().scene()->group(number);
    }
    static QList<float> keyFrames(const sg::Group& group)
    {
        QList<float> frames;
        for (const auto& key : group.keyTrack().keys())
            frames << key.frame;
        return frames;
    }

    std::shared_ptr<vellum::testing::ScriptedPlatform> platform =
        std::make_shared<vellum::testing::ScriptedPlatform>();
    std::unique_ptr<MainWindow> owner;
    MainWindow* window = nullptr;
};

} // namespace vellum::studio
