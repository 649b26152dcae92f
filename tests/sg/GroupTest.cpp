// Hierarchy, look-at and where a camera on a group stands.
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

QVector3D toQt(const outside::Vector3& v)
{
    return QVector3D(v.x, v.y, v.z);
}

class Hierarchy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent = scene->addGroup(1, QStringLiteral("Parent"));
        child = scene->addGroup(2, QStringLiteral("Child"), parent);
        target = scene->addGroup(3, QStringLiteral("Target"));
    }

    SceneGraph graph;
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> parent, child, target;
};

TEST_F(Hierarchy, WorldTransformFollowsEveryAncestorMoveAndCyclesAreRefused)
{
    parent->setPose(Pose{QVector3D(10, 0, 0), QQuaternion::fromEulerAngles(0, 90, 0)});
    child->setPosition(QVector3D(0, 0, -5));
    EXPECT_LT((child->worldPosition() - QVector3D(5, 0, 0)).length(), 1e-4f);

    // The child's cached transform must not outlive a move of its parent.
    parent->setPosition(QVector3D(0, 3, 0));
    EXPECT_LT((child->worldPosition() - QVector3D(-5, 3, 0)).length(), 1e-4f);

    parent->setPosition(QVector3D(0, 7, 0));
    parent->RefreshTree(true);
    EXPECT_LT((child->worldTransform().map(QVector3D()) - QVector3D(-5, 7, 0)).length(), 1e-4f);

    EXPECT_THROW(child->addChild(parent), Error) << "a group cannot become its own ancestor";
    EXPECT_EQ(parent->parent(), scene->rootGroup());
    EXPECT_EQ(child->parent(), parent);
}

TEST_F(Hierarchy, LookAtFacesTheTargetWithTheUpAxisKeptUp)
{
    target->setPosition(QVector3D(10, 0, 0));
    parent->setOrientation(QQuaternion::fromEulerAngles(0, 90, 0));
    child->setPosition(QVector3D(0, 0, 0));

    scene->Groups().Item(QStringLiteral("210"))->LookAt(target, 0);
    EXPECT_EQ(child->LookAtID(), 3);

    outside::Vector3 position, direction, up;
    child->ViewPosition(nullptr, -1.0f, position);
    child->ViewOrientation(nullptr, -1.0f, direction, up);
    EXPECT_LT((toQt(direction) - QVector3D(1, 0, 0)).length(), 1e-4f);
    EXPECT_LT((toQt(up) - QVector3D(0, 1, 0)).length(), 1e-4f);

    target->setPosition(QVector3D(0, 5, -5));
    child->LookAt(target, 0);
    child->ViewOrientation(nullptr, -1.0f, direction, up);
    EXPECT_LT((toQt(direction) - QVector3D(0, 1, -1).normalized()).length(), 1e-4f);
    EXPECT_GT(up.y, 0.0f);
    EXPECT_NEAR(QVector3D::dotProduct(toQt(direction), toQt(up)), 0.0f, 1e-4f);
}

TEST_F(Hierarchy, ViewAtAnotherFrameLeavesTheGroupWhereItIs)
{
    parent->setPosition(QVector3D(0, 0, 0));
    parent->SetKeyFrame(true, 0);
    parent->setPosition(QVector3D(0, 0, -20));
    parent->SetKeyFrame(false, 10);
    parent->ApplyFrame(0);
    child->setPosition(QVector3D(1, 0, 0));

    outside::Vector3 position;
    child->ViewPosition(nullptr, 5.0f, position);
    EXPECT_LT((toQt(position) - QVector3D(1, 0, -10)).length(), 1e-4f);
    child->ViewPosition(nullptr, -1.0f, position);
    EXPECT_LT((toQt(position) - QVector3D(1, 0, 0)).length(), 1e-4f);
    EXPECT_EQ(parent->position(), QVector3D(0, 0, 0));
}

} // namespace
