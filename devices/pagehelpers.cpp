// Page-building helper shared by the models: the collapsible sections.
#include "base/host.h"
#include "devices/devicecfg.h"
#include <QBoxLayout>
#include <QPushButton>

QWidget *DeviceCfg::addTab(QWidget *parent, QBoxLayout *layout, const QString &title)
{
    auto *button = new QPushButton(title, parent);
    button->setObjectName(QStringLiteral("tabButton"));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget(parent);
    content->setObjectName(QStringLiteral("tabContents"));
    content->hide();
    QObject::connect(button, &QPushButton::toggled, content, &QWidget::setVisible);
    // Queued, so the opened section scrolls to the top once the layout has settled.
    QObject::connect(
        button, &QPushButton::toggled, button, [button] { host()->scrollToTab(button); },
        Qt::QueuedConnection);
    layout->addWidget(button);
    layout->addWidget(content);
    return content;
}
