#include "devices/devtab.h"
#include "editors/par.h"
#include <QPushButton>
#include <QVBoxLayout>

DevTab::DevTab(const QString &text, const QString &altText, QWidget *parent)
    : QObject(parent), text(text), altText(altText)
{
    content = new QWidget(parent);
    content->setObjectName(QStringLiteral("tab2Content"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("tab2Button"));
    button->setCheckable(true);
    connect(button, &QPushButton::toggled, this, &DevTab::activateTab);
}

void DevTab::addWidget(QWidget *w) { static_cast<QVBoxLayout *>(content->layout())->addWidget(w); }

void DevTab::addStretch() { static_cast<QVBoxLayout *>(content->layout())->addStretch(); }

void DevTab::setAltText(bool alt) { button->setText(alt ? altText : text); }

void DevTab::showEditors()
{
    const auto editors = content->findChildren<Par *>();
    for (Par *p : editors)
        p->show();
}

void DevTab::activateTab() { Q_EMIT slectedArea(content, button); }
