// The "Select channels" dialog of ParBitmaskButton: one on/off or four-stage button per channel.
#include "editors/maskbuttons.h"
#include "editors/multistagebutton.h"
#include "editors/parbitmaskbutton.h"
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

QDialog *ParBitmaskButton::openDialog()
{
    auto *dlg = new QDialog(this);
    dlg->setObjectName(QStringLiteral("channelDialog"));
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowFlags(dlg->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const int program = property("program").toInt();
    dlg->setWindowTitle(program > 0 ? tr("Select channels: program %1").arg(program) : tr("Select channels"));
    dlg->setWindowModality(Qt::ApplicationModal);

    auto *layout = new QVBoxLayout(dlg);
    QLabel *title = makeTitleLabel(dlg, layout);
    fillTitle(title, m_key1);
    if (m_paired) {
        auto *legend = new QLabel(tr("<font color=\"#c00\">Turn OFF</font>, <font color=\"#0c0\">Turn ON</font>, "
                                     "<font color=\"#c80\">Toggle</font>, Do not change"),
                                  dlg);
        layout->addWidget(legend);
    }

    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    const quint16 a = word(m_key1);
    const quint16 b = m_paired ? word(m_key2) : 0;
    m_union = 0;
    for (int i = 0; i < m_masks.size(); ++i) {
        const quint16 m = m_masks.at(i);
        m_union |= m;
        QPushButton *button;
        if (m_paired) {
            auto *ms = new MultiStageButton(4, dlg);
            ms->setStage(((a & m) ? 1 : 0) + ((b & m) ? 2 : 0));
            connect(ms, &MultiStageButton::stageChanged, this, qOverload<int>(&ParBitmaskButton::itemCheck));
            button = ms;
        } else {
            button = new QPushButton(dlg);
            button->setCheckable(true);
            button->setChecked(a & m);
            if (m_flags & OrangeFlag)
                button->setProperty("orangeBut", 1);
            connect(button, &QPushButton::toggled, this, qOverload<bool>(&ParBitmaskButton::itemCheck));
        }
        button->setObjectName(QStringLiteral("Sqr"));
        MaskButtons::takeKeys(button);
        button->setProperty("id", uint(m));
        button->setText(cellText(i));
        grid->addWidget(button, i / 8, i % 8);
    }

    auto *row = new QHBoxLayout;
    row->addStretch();
    auto *close = new QPushButton(tr("Close"), dlg);
    connect(close, &QPushButton::clicked, dlg, &QDialog::accept);
    row->addWidget(close);
    layout->addLayout(row);
    dlg->show();
    // Its keys (Tab, Space) go to it at once, on every platform.
    dlg->activateWindow();
    return dlg;
}
