#include "GhostOptionsDialog.h"

#include "DialogWidgets.h"
#include "ErrorRule.h"
#include "ModuleState.h"
#include "PanelSettings.h"
#include "UpDownText.h"
#include "ValueConversion.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellum::animation {

namespace {

const QString DefaultCount = QStringLiteral("50");

common::UpDownText* countBox(const char* name, const QString& toolTip, QWidget* parent)
{
    auto* box = new common::UpDownText(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(toolTip);
    box->setDefaultValue(50);
    box->setMax(100);
    box->setIncrement(5);
    box->setText(DefaultCount);
    return box;
}

} // namespace

GhostOptionsDialog::GhostOptionsDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmOptionsGhost"));
    setWindowTitle(QStringLiteral("Ghost Animation Options"));
    build();
    load();
}

void GhostOptionsDialog::build()
{
    m_preceding =
        countBox("txtPreceding",
                 QStringLiteral("Key Frames to Ghost Preceding the Current Key Frame"), this);
    m_following =
        countBox("txtFollowing",
                 QStringLiteral("Key Frames to Ghost Following the Current Key Frame"), this);

    auto* counts = new QGridLayout;
    counts->addWidget(namedLabel("lblPreceding1", QStringLiteral("Ghost"), this), 0, 0);
    counts->addWidget(m_preceding, 0, 1);
    counts->addWidget(namedLabel("lblPreceding", QStringLiteral("Key Frames Preceding"), this), 0,
                      2);
    counts->addWidget(namedLabel("lblFollowing1", QStringLiteral("Ghost"), this), 1, 0);
    counts->addWidget(m_following, 1, 1);
    counts->addWidget(namedLabel("lblFollowing", QStringLiteral("Key Frames Follwing"), this), 1,
                      2);

    QPushButton* ok = namedButton("cmdOK", QStringLiteral("OK"), this);
    QPushButton* cancel = namedButton("cmdCancel", QStringLiteral("Cancel"), this);
    QPushButton* defaults = namedButton("cmdDefault", QStringLiteral("Default"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { acceptCounts(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, [this] { restoreDefaults(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(counts);
    layout->addLayout(buttons);
}

void GhostOptionsDialog::load()
{
    m_preceding->setText(longText(module().lGhostPrecedingNumber));
    m_following->setText(longText(module().lGhostFollowingNumber));
}

void GhostOptionsDialog::restoreDefaults()
{
    m_preceding->setText(DefaultCount);
    m_following->setText(DefaultCount);
}

// A count that is not a number keeps the dialog open; a first count already taken stays taken.
void GhostOptionsDialog::acceptCounts()
{
    outside::endQuietly([this] {
        ModuleState& shared = module();
        shared.lGhostPrecedingNumber = roundHalfEven(toNumber(m_preceding->Text()));
        shared.lGhostFollowingNumber = roundHalfEven(toNumber(m_following->Text()));
        saveSetting(SettingKey::GhostPrecedingNumber, longText(shared.lGhostPrecedingNumber));
        saveSetting(SettingKey::GhostFollowingNumber, longText(shared.lGhostFollowingNumber));
        accept();
    });
}

} // namespace vellum::animation
