#include "editors/par.h"
#include "base/host.h"
#include "editors/inputguard.h"
#include "base/parmodel.h"
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QStyle>
#include <QtEndian>

Par::Par(QWidget *parent) : QWidget(parent) {}

bool Par::event(QEvent *event)
{
    if (event->type() == QEvent::Polish)
        InputGuard::adopt(this);
    return QWidget::event(event);
}

bool Par::notifyChange(quint32 key, int size)
{
    // Asked first: a link that gives the board up on this very failure disconnects before
    // the answer comes back.
    const bool online = host()->boardConnected();
    if (ParModel::notifyChange(key, size)) {
        setUnsent(false);
        host()->changeWritten();
        return true;
    }
    if (online) {
        setUnsent(true);
        host()->changeFailed(key);
    }
    return false;
}

void Par::setUnsent(bool unsent)
{
    if (this->unsent() == unsent)
        return;
    setProperty("unsent", unsent);
    // The style sheet paints the mark; the editor's own background must be drawn for it.
    setAttribute(Qt::WA_StyledBackground, true);
    setToolTip(unsent ? tr("This value is not on the board: writing it failed.") : property("defaultTip").toString());
    style()->unpolish(this);
    style()->polish(this);
    update();
}

quint32 Par::memKey(const void *value, const void *base, quint32 flags)
{
    const auto offset = static_cast<const quint8 *>(value) - static_cast<const quint8 *>(base);
    return quint32(offset) | flags;
}

quint16 Par::load16(const void *p) { return qFromLittleEndian<quint16>(p); }

void Par::store16(void *p, quint16 v) { qToLittleEndian<quint16>(v, p); }

bool Par::setErasedDefault16(void *value, quint16 def)
{
    if (load16(value) != 0xffff)
        return false;
    store16(value, def);
    return true;
}

bool Par::setErasedDefault8(quint8 *value, quint8 def)
{
    if (*value != 0xff)
        return false;
    *value = def;
    return true;
}

bool Par::compactParent(const QWidget *parent)
{
    return parent && parent->property("hideTitle").toBool();
}

QLabel *Par::makeTitleLabel(QWidget *owner, QBoxLayout *layout)
{
    auto *label = new QLabel(owner);
    label->setObjectName(QStringLiteral("label"));
    label->setWordWrap(true);
    if (layout)
        layout->addWidget(label);
    return label;
}

void Par::fillTitle(QLabel *label, quint32 key)
{
    ParModel *model = ParModel::current();
    const QString title = model ? model->parName(key) : QString();
    label->setText(title + ParModel::helpLink(key));
    connect(label, &QLabel::linkActivated, label, [](const QString &link) { host()->showHelp(link); });
}

void Par::markNvmem(QLabel *label) { label->setProperty("nvmem", 1); }

void Par::hideForUid(quint32 uid)
{
    if (uid & HiddenUidBit)
        hide();
}

void Par::nameIfUnnamed(const char *name)
{
    if (objectName().isEmpty())
        setObjectName(QLatin1String(name));
}
