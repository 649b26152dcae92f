#include "OptionsDialog.h"

#include "AppUtility.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "GraphicsUtility.h"
#include "ModuleState.h"
#include "PanelSettings.h"
#include "PictureFactory.h"
#include "Platform.h"
#include "TextBox.h"
#include "ValueConversion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace vellum::animation {

using outside::endQuietly;
using outside::ignoreFailure;

namespace {

const QString DefaultWidth = QStringLiteral("320");
const QString DefaultHeight = QStringLiteral("240");
const QString DefaultFps = QStringLiteral("15");
const QString DefaultSizeIndex = QStringLiteral("1");
const QString Off = QStringLiteral("0");
const QString TitleText = QStringLiteral("3D Vellum");

// Typed keys other than digits, Backspace, Tab, Enter and "-" are dropped; keys that type
// nothing (arrows, Delete) are not typed keys.
class NumberKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() != 1)
            return false;
        const QChar key = typed.front();
        const bool allowed = (key >= QLatin1Char('0') && key <= QLatin1Char('9')) ||
                             key == QLatin1Char('\b') || key == QLatin1Char('\t') ||
                             key == QLatin1Char('\r') || key == QLatin1Char('-');
        return !allowed;
    }
};

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

std::optional<double> numberIn(const QString& text)
{
    double value = 0.0;
    if (!ignoreFailure([&] { value = toNumber(text); }) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString checkText(const QCheckBox* box)
{
    return box->isChecked() ? QStringLiteral("1") : Off;
}

} // namespace

QString correctedSide(const QString& text, int maximum, const QString& fallback)
{
    const std::optional<double> value = numberIn(text);
    if (!value)
        return fallback;
    if (*value > maximum)
        return QString::number(maximum);
    if (*value < MinimumSide)
        return QString::number(MinimumSide);
    return text;
}

QString correctedFps(const QString& text)
{
    if (text.isEmpty())
        return DefaultFps;
    const std::optional<double> value = numberIn(text);
    if (!value)
        return DefaultFps;
    const std::int32_t whole = roundHalfEven(std::clamp(*value, -1e9, 1e9));
    if (whole > MaximumFps)
        return QString::number(MaximumFps);
    if (whole < MinimumFps)
        return QString::number(MinimumFps);
    return text;
}

OptionsDialog::OptionsDialog(const OptionsDialogProfile& profile, QWidget* owner)
    : QDialog(owner), m_profile(profile)
{
    setObjectName(QLatin1String(profile.objectName));
    setWindowTitle(profile.caption);
    // Until a valid OK, the options count as cancelled: a dialog taken down any other way
    // must not let the driver go on with older choices.
    module().optionsCancelled = true;
    build();
    showPreview();
    fillLists();
    offerRaytracing();
    loadSettings();
    enableSizeMode(m_sizeMode->checkedId());
}

OptionsDialog::~OptionsDialog()
{
    if (!m_previewFile.isEmpty())
        ignoreFailure([this] { outside::platform().DeleteFile(m_previewFile); });
}

void OptionsDialog::build()
{
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    // Enter completes an edit in a box; it does not press OK.
    for (QPushButton* button : {ok, cancel})
        button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &OptionsDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* right = new QVBoxLayout;
    right->addWidget(buildPreview());
    right->addLayout(buttons); // under the preview
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildGeneral());
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* OptionsDialog::buildGeneral()
{
    m_general = named(new QGroupBox(QStringLiteral("General"), this), "fraGeneral");
    auto* filter = new NumberKeyFilter(this);
    const auto numberBox = [&](const char* name) {
        auto* box = named(new common::TextBox(m_general), name);
        box->installEventFilter(filter);
        box->setMaximumWidth(70);
        return box;
    };
    m_size = named(new QComboBox(m_general), "cboSize");
    m_sizeMode = named(new QButtonGroup(m_general), m_profile.sizeOptionName);
    const QByteArray optionName(m_profile.sizeOptionName);
    auto* preset =
        named(new QRadioButton(QStringLiteral("Size"), m_general), (optionName + "_0").constData());
    auto* custom = named(new QRadioButton(QStringLiteral("Custom"), m_general),
                         (optionName + "_1").constData());
    m_sizeMode->addButton(preset, 0);
    m_sizeMode->addButton(custom, 1);
    m_width = numberBox("txtRecordWidth");
    m_height = numberBox("txtRecordHeight");
    m_antiAliasing = named(new QComboBox(m_general), "cboAntiAliasing");
    m_raytrace = named(new QCheckBox(QStringLiteral("Raytrace"), m_general), "chkRaytrace");

    auto* grid = new QGridLayout(m_general);
    grid->addWidget(preset, 0, 0);
    grid->addWidget(m_size, 0, 1, 1, 3);
    grid->addWidget(custom, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Width"), m_general), 1, 1);
    grid->addWidget(m_width, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Height"), m_general), 2, 1);
    grid->addWidget(m_height, 2, 2);
    int row = 3;
    if (m_profile.recordingOptions) {
        m_fps = numberBox("txtFPS");
        grid->addWidget(new QLabel(QStringLiteral("Frames/Second"), m_general), row, 0);
        grid->addWidget(m_fps, row++, 2);
        connect(m_fps, &common::TextBox::Commit, this, [this] { correctFps(); });
    }
    grid->addWidget(named(new QLabel(QStringLiteral("Anti-aliasing"), m_general), "lblAntiAlais"),
                    row, 0);
    grid->addWidget(m_antiAliasing, row++, 1, 1, 3);
    grid->addWidget(m_raytrace, row++, 0, 1, 4);
    if (m_profile.recordingOptions) {
        m_saveAsImages =
            named(new QCheckBox(QStringLiteral("Save as Images"), m_general), "chkSaveasImages");
        m_motionBlur =
            named(new QCheckBox(QStringLiteral("Motion Blur"), m_general), "chkMotionBlur");
        grid->addWidget(m_saveAsImages, row++, 0, 1, 4);
        grid->addWidget(m_motionBlur, row++, 0, 1, 4);
    }
    grid->setRowStretch(row, 1);

    connect(m_size, &QComboBox::activated, this, [this](int index) { choosePreset(index); });
    connect(m_sizeMode, &QButtonGroup::idClicked, this, [this](int option) {
        endQuietly([&] {
            enableSizeMode(option);
            choosePreset(m_size->currentIndex());
        });
    });
    connect(m_width, &common::TextBox::Commit, this, [this] { correctWidth(); });
    connect(m_height, &common::TextBox::Commit, this, [this] { correctHeight(); });
    return m_general;
}

QGroupBox* OptionsDialog::buildPreview()
{
    auto* frame = named(new QGroupBox(QStringLiteral("Preview"), this), "fraPreview");
    m_preview = named(new QLabel(frame), "imgPreview");
    m_preview->setFixedSize(SizePresets[1].width, SizePresets[1].height);
    m_preview->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_preview);
    return frame;
}

void OptionsDialog::showPreview()
{
    const QImage& picture = module().offscreenPicture;
    m_preview->setPixmap(QPixmap::fromImage(
        picture.scaled(m_preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    ignoreFailure([&] {
        const QString name = QStringLiteral("~temp%1.bmp").arg(graphicsUtility().TickCount());
        const QString file = QDir(outside::platform().TempFolder()).filePath(name);
        outside::platform().SavePicture(picture, file);
        m_previewFile = file;
    });
}

void OptionsDialog::fillLists()
{
    for (const SizePreset& preset : SizePresets)
        m_size->addItem(QStringLiteral("%1 x %2").arg(preset.width).arg(preset.height));
    m_antiAliasing->addItems({QStringLiteral("None"), QStringLiteral("4x"), QStringLiteral("16x")});
}

void OptionsDialog::offerRaytracing()
{
    ignoreFailure([this] {
        const bool noPath = appUtility().RaytracerPath().isEmpty();
        const bool unavailable = noPath && (!m_profile.raytracerSettingSuffices ||
                                            applicationState()->RaytracerSetting().isEmpty());
        if (unavailable) {
            m_raytrace->setEnabled(false);
            m_raytrace->setChecked(false);
        }
    });
}

// Each value that cannot be read keeps what the dialog had.
void OptionsDialog::loadSettings()
{
    const OptionsKeys& keys = m_profile.keys;
    const auto load = [](const QString& key, const QString& fallback, auto apply) {
        ignoreFailure([&] { apply(readSetting(key, fallback)); });
    };
    load(keys.optionsSize, DefaultSizeIndex,
         [&](const QString& v) { m_size->setCurrentIndex(toLong(v)); });
    load(keys.antiAlias, Off,
         [&](const QString& v) { m_antiAliasing->setCurrentIndex(toLong(v)); });
    load(keys.raytrace, Off, [&](const QString& v) { m_raytrace->setChecked(toLong(v) != 0); });
    if (m_profile.recordingOptions) {
        load(keys.images, Off,
             [&](const QString& v) { m_saveAsImages->setChecked(toLong(v) != 0); });
        load(keys.motionBlur, Off,
             [&](const QString& v) { m_motionBlur->setChecked(toLong(v) != 0); });
    }
    load(keys.size0, booleanText(true),
         [&](const QString& v) { m_sizeMode->button(0)->setChecked(toBoolean(v)); });
    load(keys.size1, booleanText(false),
         [&](const QString& v) { m_sizeMode->button(1)->setChecked(toBoolean(v)); });
    load(keys.width, DefaultWidth, [&](const QString& v) { m_width->setText(v); });
    load(keys.height, DefaultHeight, [&](const QString& v) { m_height->setText(v); });
    if (m_fps)
        load(keys.fps, DefaultFps, [&](const QString& v) { m_fps->setText(v); });
}

void OptionsDialog::enableSizeMode(int option)
{
    const bool custom = option == 1;
    m_size->setEnabled(!custom);
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
}

void OptionsDialog::choosePreset(int index)
{
    const SizePreset preset = index >= 0 && index < int(SizePresets.size())
                                  ? SizePresets[size_t(index)]
                                  : SizePresets.back();
    m_width->setText(QString::number(preset.width));
    m_height->setText(QString::number(preset.height));
}

void OptionsDialog::correctWidth()
{
    m_width->setText(correctedSide(m_width->Text(), MaximumWidth, DefaultWidth));
}

void OptionsDialog::correctHeight()
{
    m_height->setText(correctedSide(m_height->Text(), MaximumHeight, DefaultHeight));
}

void OptionsDialog::correctFps()
{
    m_fps->setText(correctedFps(m_fps->Text()));
}

void OptionsDialog::accept()
{
    endQuietly([this] {
        // An edit not yet completed is corrected as if it had been.
        correctWidth();
        correctHeight();
        if (m_fps)
            correctFps();
        ModuleState& shared = module();
        shared.recordWidth = toLong(m_width->Text());
        shared.recordHeight = toLong(m_height->Text());
        shared.recordAntiAlias = m_antiAliasing->currentIndex();
        shared.recordFPS = m_fps ? toLong(m_fps->Text()) : 1;
        shared.recordRaytrace = m_raytrace->isChecked();
        if (m_profile.recordingOptions) {
            shared.recordSaveAsImages = m_saveAsImages->isChecked();
            shared.recordMotionBlur = m_motionBlur->isChecked();
        }
        if (refused())
            return;
        shared.optionsCancelled = false;
        storeSettings();
        QDialog::accept();
    });
}

bool OptionsDialog::refused()
{
    const ModuleState& shared = module();
    if (shared.recordRaytrace)
        return false;
    std::int32_t left = 0, top = 0, maxWidth = 0, maxHeight = 0;
    pictureFactory().MaximumDimensions(left, top, maxWidth, maxHeight);
    outside::Platform& platform = outside::platform();
    if (shared.recordWidth > maxWidth || shared.recordHeight > maxHeight) {
        platform.MsgBox(m_profile.sizeMessage + longText(maxWidth) + QLatin1Char('x') +
                            longText(maxHeight),
                        outside::MsgBoxButtons::OK, outside::MsgBoxIcon::Stop, TitleText);
        return true;
    }
    if (shared.recordAntiAlias != 0 &&
        applicationState()->AntiAliasFlag() == m_profile.antiAliasRefusedWhen) {
        platform.MsgBox(QStringLiteral("Anti-aliasing is not available. It may not be supported "
                                       "by your graphics processor or adequate memory may not be "
                                       "available."),
                        outside::MsgBoxButtons::OK, outside::MsgBoxIcon::Exclamation, TitleText);
        return true;
    }
    return false;
}

void OptionsDialog::storeSettings()
{
    const OptionsKeys& keys = m_profile.keys;
    saveSetting(keys.optionsSize, longText(m_size->currentIndex()));
    saveSetting(keys.antiAlias, longText(m_antiAliasing->currentIndex()));
    saveSetting(keys.size0, booleanText(m_sizeMode->button(0)->isChecked()));
    saveSetting(keys.size1, booleanText(m_sizeMode->button(1)->isChecked()));
    saveSetting(keys.width, m_width->Text());
    saveSetting(keys.height, m_height->Text());
    if (m_fps)
        saveSetting(keys.fps, m_fps->Text());
    saveSetting(keys.raytrace, checkText(m_raytrace));
    if (m_profile.recordingOptions) {
        saveSetting(keys.images, checkText(m_saveAsImages));
        saveSetting(keys.motionBlur, checkText(m_motionBlur));
    }
}

void OptionsDialog::reject()
{
    module().optionsCancelled = true;
    QDialog::reject();
}

} // namespace vellum::animation
