#include "PovExporter.h"

#include "Group.h"
#include "Scene.h"
#include "SgError.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QtMath>
#include <charconv>

namespace vellum::sg {

namespace {

// What the viewport clears to, so that both pictures share their background.
const QColor background(58, 64, 74);
constexpr float diffuse = 1.0f;

class SceneWriter
{
public:
    SceneWriter& operator<<(const char* text)
    {
        m_text.append(text);
        return *this;
    }
    SceneWriter& operator<<(const QByteArray& text)
    {
        m_text.append(text);
        return *this;
    }
    SceneWriter& operator<<(float value)
    {
        char digits[32];
        // Adding zero turns a negative zero into zero.
        const auto end = std::to_chars(digits, digits + sizeof digits, value + 0.0f).ptr;
        m_text.append(digits, end - digits);
        return *this;
    }
    SceneWriter& operator<<(int value)
    {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_text.append(digits, end - digits);
        return *this;
    }
    SceneWriter& operator<<(const QVector3D& v)
    {
        return *this << "<" << v.x() << "," << v.y() << "," << v.z() << ">";
    }
    // sRGB, as the viewport's colours are.
    SceneWriter& operator<<(const QColor& colour)
    {
        return *this << "srgb <" << float(colour.redF()) << "," << float(colour.greenF()) << ","
                     << float(colour.blueF()) << ">";
    }

    QByteArray take() { return std::move(m_text); }

private:
    QByteArray m_text;
};

// Turns the world, given for column vectors, into the raytracer's row-vector matrix.
void writeMatrix(SceneWriter& out, const QMatrix4x4& m)
{
    out << "  matrix <";
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 3; ++row)
            out << m(row, column) << (column == 3 && row == 2 ? ">\n" : ",");
}

// The eye position.
QVector3D writeCamera(SceneWriter& out, Scene& scene, float aspectRatio)
{
    const auto camera = scene.animationCamera();
    auto group = camera ? camera->parentGroup() : nullptr;
    if (!group)
        group = scene.rootGroup();
    outside::Vector3 position, direction, up;
    group->ViewPosition(nullptr, -1.0f, position);
    group->ViewOrientation(nullptr, -1.0f, direction, up);
    const float fieldOfView = camera ? camera->FieldOfView(-1.0f) : 45.0f;

    const QVector3D forward = QVector3D(direction.x, direction.y, direction.z).normalized();
    const QVector3D upright = QVector3D(up.x, up.y, up.z).normalized();
    const QVector3D right = QVector3D::crossProduct(forward, upright).normalized();
    // The picture spans -0.5..0.5 along up and right: the distance to it sets the vertical
    // field of view, and right's length the aspect ratio, whatever the handedness.
    const float distance = 0.5f / std::tan(qDegreesToRadians(fieldOfView) * 0.5f);
    const QVector3D eye(position.x, position.y, position.z);
    out << "camera {\n  perspective\n  location " << eye << "\n  direction " << forward * distance
        << "\n  up " << QVector3D::crossProduct(right, forward) << "\n  right "
        << right * aspectRatio << "\n}\n";
    return eye;
}

void writeLights(SceneWriter& out, Scene& scene, const QVector3D& eye)
{
    const auto lights = scene.lightList();
    for (const auto& light : lights) {
        const QColor colour = light->colour();
        out << "light_source { " << light->position() << " color " << colour << " * "
            << light->intensity() << " }\n";
    }
    // Without lights the viewport lights the scene from the eye.
    if (lights.isEmpty())
        out << "light_source { " << eye << " color rgb 1 }\n";
}

QByteArray imageType(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpeg";
    if (suffix == QLatin1String("bmp"))
        return "sys";
    for (const char* type : {"png", "gif", "ppm", "pgm", "tga", "exr", "hdr", "iff"})
        if (suffix == QLatin1String(type))
            return type;
    return {};
}

bool isTif(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("tif") || suffix == QLatin1String("tiff");
}

// Spherical and cylindrical wrapping for the round shapes, a flat projection for the others.
int imageMapping(int kind)
{
    return kind == ShapeKind::Sphere ? 1 : kind == ShapeKind::Cylinder ? 2 : 0;
}

void writePrimitive(SceneWriter& out, const Shape& shape)
{
    const QVector3D size = shape.dimensions();
    switch (shape.kind()) {
    case ShapeKind::Box:
        out << "box { " << -size / 2.0f << ", " << size / 2.0f << "\n";
        break;
    case ShapeKind::Sphere:
        out << "sphere { 0, " << size.x() << "\n";
        break;
    case ShapeKind::Cylinder:
        out << "cylinder { <0," << -size.y() / 2.0f << ",0>, <0," << size.y() / 2.0f << ",0>, "
            << size.x() << "\n";
        break;
    default: {
        const float x = size.x() / 2.0f, z = size.z() / 2.0f;
        out << "polygon { 5, <" << -x << ",0," << -z << ">, <" << x << ",0," << -z << ">, <" << x
            << ",0," << z << ">, <" << -x << ",0," << z << ">, <" << -x << ",0," << -z << ">\n";
    }
    }
}

void writeShape(SceneWriter& out, Scene& scene, const Shape& shape, float ambient,
                bool& usesTifTextures)
{
    const ShapeEffect effect = scene.operationEffect(shape);
    QMatrix4x4 world = shape.worldTransform();
    if (effect.changesShape())
        world *= effect.localTransform();

    writePrimitive(out, shape);
    const QString& texture = shape.texture();
    const QByteArray type = imageType(texture);
    usesTifTextures = usesTifTextures || isTif(texture);
    if (!type.isEmpty()) {
        out << "  pigment { image_map { " << type << " \"" << texture.toUtf8() << "\" map_type "
            << imageMapping(shape.kind()) << " } }\n";
    } else {
        out << "  pigment { color " << effect.colour << " }\n";
    }
    out << "  finish { ambient " << ambient << " diffuse " << diffuse << " }\n";
    writeMatrix(out, world);
    out << "}\n";
}

} // namespace

QByteArray PovExporter::sceneText(Scene& scene, float ambient, float aspectRatio,
                                  const outside::PovRenderSettings& settings, bool& usesTifTextures)
{
    usesTifTextures = false;
    SceneWriter out;
    out << "// Frame " << settings.currentFrame << " of " << settings.animation.Keys << " at "
        << settings.animation.KeysPerSecond << " keys per second\n"
        << "#version 3.7;\n"
        << "global_settings { assumed_gamma 1.0 }\n"
        << "background { color " << background << " }\n";
    writeLights(out, scene, writeCamera(out, scene, aspectRatio));
    for (const auto& shape : scene.shapeList())
        if (shape->isGeometric() && shape->isVisible())
            writeShape(out, scene, *shape, ambient, usesTifTextures);
    return out.take();
}

void PovExporter::ExportScene(const QString& path, const outside::ScenePtr& scene, float ambient,
                              float aspectRatio, bool& usesTifTextures,
                              const outside::PovRenderSettings& settings)
{
    const auto own = typedComponent<Scene>(scene);
    if (!(aspectRatio > 0.0f) || !qIsFinite(aspectRatio))
        throw Error::invalidProcedureCall();
    const QByteArray text = sceneText(*own, ambient, aspectRatio, settings, usesTifTextures);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw Error(ErrorNumber::PathFileAccess,
                    QStringLiteral("Path/File access error: %1").arg(file.errorString()));
}

} // namespace vellum::sg
