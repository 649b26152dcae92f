#include "PreferencesDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <outside/Platform.h>
#include <sg/AppUtility.h>

namespace vellum::studio {

namespace {

const QString section = QStringLiteral("Application");

} // namespace

PreferencesDialog::PreferencesDialog(QString registryKey, QWidget* parent)
    : QDialog(parent), m_registryKey(std::move(registryKey))
{
    setObjectName(QStringLiteral("dlgPreferences"));
    setWindowTitle(tr("Preferences"));

    m_raytracer = new QLineEdit(outside::platform().GetSetting(
        m_registryKey, section, sg::AppUtility::raytracerPathKey(), QString()));
    m_raytracer->setObjectName(QStringLiteral("txtRaytracerPath"));
    m_raytracer->setPlaceholderText(tr("povray on PATH"));
    m_raytracer->setToolTip(tr("The POV-Ray 3.7 program that renders raytraced recordings and "
                               "snapshots. Leave empty to use povray from PATH."));
    m_raytracer->setMinimumWidth(320);
    auto* browse = new QPushButton(tr("Browse…"));
    connect(browse, &QPushButton::clicked, this, &PreferencesDialog::browse);
    auto* row = new QHBoxLayout;
    row->addWidget(m_raytracer, 1);
    row->addWidget(browse);

    m_used = new QLabel;
    m_used->setObjectName(QStringLiteral("lblRaytracerUsed"));
    m_used->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(m_raytracer, &QLineEdit::textChanged, this, &PreferencesDialog::showWhatIsUsed);
    showWhatIsUsed();

    auto* form = new QFormLayout;
    form->addRow(tr("&Raytracer:"), row);
    form->addRow(QString(), m_used);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void PreferencesDialog::accept()
{
    outside::platform().SaveSetting(m_registryKey, section, sg::AppUtility::raytracerPathKey(),
                                    m_raytracer->text().trimmed());
    QDialog::accept();
}

void PreferencesDialog::browse()
{
    const QString chosen = QFileDialog::getOpenFileName(this, tr("Raytracer"), m_raytracer->text());
    if (!chosen.isEmpty())
        m_raytracer->setText(chosen);
}

// What the raytracer bridge will start with the text as it stands.
void PreferencesDialog::showWhatIsUsed()
{
    const QString typed = m_raytracer->text().trimmed();
    const QString found = sg::AppUtility::resolveRaytracer(typed);
    m_used->setText(found.isEmpty() ? tr("No raytracer found: raytracing is unavailable.")
                                    : tr("Uses %1").arg(found));
}

} // namespace vellum::studio
