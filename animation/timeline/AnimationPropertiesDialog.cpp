#include "AnimationPropertiesDialog.h"

#include "AnimatedComponents.h"
#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "DialogWidgets.h"
#include "ErrorRule.h"
#include "Group.h"
#include "ModuleState.h"
#include "PanelSettings.h"
#include "Platform.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "TrackBar.h"
#include "Twips.h"
#include "UpDownText.h"
#include "ValueConversion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>

namespace vellum::animation {

namespace {

const QString LeftKey = QStringLiteral("AnimationPropertiesLeft");
const QString TopKey = QStringLiteral("AnimationPropertiesTop");
const QString DefaultKeys = QStringLiteral("100");
const QString DefaultKeysPerSecond = QStringLiteral("10");

common::UpDownText* numberBox(const char* name, const QString& toolTip, double defaultValue,
                              const QString& text, QWidget* parent)
{
    auto* box = new common::UpDownText(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(toolTip);
    box->setMin(1);
    box->setMax(1000);
    box->setIncrement(10);
    box->setDefaultValue(defaultValue);
    box->setText(text);
    return box;
}

QPushButton* button(const char* name, const QString& text, const QString& toolTip, QWidget* parent)
{
    QPushButton* widget = namedButton(name, text, parent);
    widget->setToolTip(toolTip);
    return widget;
}

// 10 shows as "10", 12.5 as "12.5": the fewest digits that read back as the same float.
QString shortestText(float value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return QString::fromLatin1(digits, end - digits);
}

int twipsX(int pixels, const QWidget* widget)
{
    return common::pixelsToTwips(pixels, widget->logicalDpiX());
}

int twipsY(int pixels, const QWidget* widget)
{
    return common::pixelsToTwips(pixels, widget->logicalDpiY());
}

} // namespace

AnimationPropertiesDialog::AnimationPropertiesDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAnimationProperties"));
    setWindowTitle(QStringLiteral("Options"));
    QFont tahoma = font();
    tahoma.setFamilies({QStringLiteral("Tahoma"), tahoma.family()});
    setFont(tahoma);
    build();
    load();
}

void AnimationPropertiesDialog::build()
{
    m_keyFrames =
        numberBox("txtKeyFrames", QStringLiteral("Animation Keys"), 100, DefaultKeys, this);
    m_keysPerSecond = numberBox("txtKeyFPS", QStringLiteral("Animation Keys per Second"), 10,
                                DefaultKeysPerSecond, this);
    auto* fields = new QGridLayout;
    fields->addWidget(namedLabel("lblKeyFrames", QStringLiteral("Animation Keys:"), this), 0, 0);
    fields->addWidget(m_keyFrames, 0, 1);
    fields->addWidget(namedLabel("lblKeyFPS", QStringLiteral("Keys Per Second:"), this), 1, 0);
    fields->addWidget(m_keysPerSecond, 1, 1);

    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("fraButtons"));
    QPushButton* defaults =
        button("cmdDefault", QStringLiteral("Default"), QStringLiteral("Restore Defaults"), frame);
    QPushButton* ok =
        button("cmdOK", QStringLiteral("OK"), QStringLiteral("Accept Changes"), frame);
    ok->setDefault(true);
    connect(defaults, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout(frame);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(frame);
}

void AnimationPropertiesDialog::load()
{
    // Without a remembered place the dialog stays where it was created.
    const QString left = readSetting(LeftKey, longText(twipsX(x(), this)));
    const QString top = readSetting(TopKey, longText(twipsY(y(), this)));
    const int leftPixels = common::twipsToPixelsX(toLong(left), this);
    const int topPixels = common::twipsToPixelsY(toLong(top), this);
    if (leftPixels != x() || topPixels != y())
        move(leftPixels, topPixels);
    const outside::AnimationSettings settings = applicationState()->AnimationSettings();
    m_keyFrames->setText(longText(settings.Keys));
    m_keysPerSecond->setText(shortestText(settings.KeysPerSecond));
}

void AnimationPropertiesDialog::restoreDefaults()
{
    m_keyFrames->setText(DefaultKeys);
    m_keysPerSecond->setText(DefaultKeysPerSecond);
}

// OK, the close box and Escape all end here: every close stores.
void AnimationPropertiesDialog::done(int result)
{
    outside::endQuietly([this] { unload(); });
    QDialog::done(result);
}

void AnimationPropertiesDialog::unload()
{
    const outside::ApplicationStatePtr state = applicationState();
    const outside::ScenePtr scene = state->Scene();
    const outside::GroupPtr root = scene->RootGroup();
    root->RefreshTree(true);
    saveSetting(LeftKey, longText(twipsX(x(), this)));
    saveSetting(TopKey, longText(twipsY(y(), this)));
    root->RefreshAnimation(true);
    outside::SceneGraph& graph = sceneGraph();
    graph.AnimationSettingsChanging();
    storeSettings();
    graph.AnimationSettingsChanged();
    bool changed = false;
    RegisterAnimatedComponents(graph, *scene, changed);
    if (changed)
        state->setModified(true);
}

// Typed fractions are rounded, halves to even; a text that is no number stores nothing.
void AnimationPropertiesDialog::storeSettings()
{
    const outside::ApplicationStatePtr state = applicationState();
    outside::AnimationSettings settings = state->AnimationSettings();
    settings.Keys = toLong(m_keyFrames->Text());
    settings.KeysPerSecond = float(toLong(m_keysPerSecond->Text()));
    state->setAnimationSettings(settings);
}

void openAnimationProperties(AnimationPrivate& panel)
{
    outside::endQuietly([&] {
        {
            AnimationPropertiesDialog dialog(&panel.q);
            outside::platform().ShowModal(dialog);
        }
        const outside::AnimationSettings settings = applicationState()->AnimationSettings();
        common::TrackBar& slider = *panel.widgets.sldFrame;
        slider.setMax(settings.Keys);
        slider.setTickFrequency(roundHalfEven(settings.KeysPerSecond));
        slider.setSelStart(0);
        slider.setSelLength(slider.Max());
        slider.setValue(0);
        if (panel.navigation->isOutsideSelection(slider.Value()))
            panel.navigation->resetSelection();
        panel.q.PrepareTimeLine();
        emit panel.q.evtreqButtonsEnable();
    });
}

} // namespace vellum::animation
