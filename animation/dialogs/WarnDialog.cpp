#include "WarnDialog.h"

#include "DialogWidgets.h"
#include "ErrorRule.h"
#include "PanelSettings.h"
#include "Platform.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace vellum::animation {

WarnDialog::WarnDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmWarn"));
    setWindowTitle(QStringLiteral("Tip"));
    setModal(true);

    QLabel* icon = namedLabel("imgTip", QString(), this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this)
                        .pixmap(iconSize, iconSize));
    QLabel* title = namedLabel("Label1", QStringLiteral("Did you know..."), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_text = namedLabel("lblWarning", QString(), this);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(320);
    m_continue = new QCheckBox(QStringLiteral("Continue to receive this message"), this);
    m_continue->setObjectName(QStringLiteral("chkContinueToReceiveWarning"));
    QPushButton* ok = namedButton("cmdOK", QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(m_text, 1, 1);
    layout->addWidget(m_continue, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons, 3, 0, 1, 2);
}

void WarnDialog::Show(QWidget* owner, const QString& applicationKey, const QString& warning,
                      const QString& entry)
{
    outside::passOn([&] {
        WarnDialog dialog(owner);
        dialog.setSApplicationRegistryKey(applicationKey);
        dialog.setSWarning(warning);
        dialog.setSWarningRegistryEntry(entry);
        outside::platform().ShowModal(dialog);
        if (dialog.m_unloadFailure)
            std::rethrow_exception(dialog.m_unloadFailure);
    });
}

void WarnDialog::showEvent(QShowEvent* event)
{
    if (!m_loaded)
        load();
    QDialog::showEvent(event);
}

void WarnDialog::load()
{
    m_loaded = true;
    m_text->setText(m_warning);
    m_continue->setChecked(true);
}

// OK, the close box and Escape all end here.
void WarnDialog::done(int result)
{
    storeSwitch();
    QDialog::done(result);
}

void WarnDialog::storeSwitch()
{
    try {
        outside::platform().SaveSetting(m_applicationKey, SettingSection::Tips, m_entry,
                                        m_continue->isChecked() ? QStringLiteral("1")
                                                                : QStringLiteral("0"));
    } catch (...) {
        m_unloadFailure = std::current_exception();
    }
}

} // namespace vellum::animation
