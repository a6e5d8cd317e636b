#include "editors/par.h"
#include "base/host.h"
#include "editors/inputguard.h"
#include "base/parmodel.h"
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>
#include <QStyle>
#include <QtEndian>

Par::Par(QWidget *parent, ParModel *model) : QWidget(parent), m_model(model) {}

bool Par::event(QEvent *event)
{
    if (event->type() == QEvent::Polish)
        InputGuard::adopt(this);
    return QWidget::event(event);
}

quint16 Par::word(quint32 key) const
{
    const QByteArray b = bytes(key, 2);
    return b.size() == 2 ? load16(b.constData()) : 0xffff;
}

quint8 Par::byte(quint32 key) const
{
    const QByteArray b = bytes(key, 1);
    return b.size() == 1 ? quint8(b.at(0)) : 0xff;
}

QByteArray Par::bytes(quint32 key, int size) const
{
    return m_model ? m_model->value(key, size) : QByteArray();
}

bool Par::sendWord(quint32 key, quint16 v)
{
    QByteArray b(2, Qt::Uninitialized);
    store16(b.data(), v);
    return sendChange(key, b);
}

bool Par::sendChange(quint32 key, const QByteArray &bytes)
{
    // Asked first: a link that gives the board up on this very failure disconnects before
    // the answer comes back.
    const bool online = host()->boardConnected();
    return settle(m_model && m_model->set(key, bytes), online, key);
}

QByteArray Par::record(quint32 uid)
{
    ParModel *model = ParModel::current();
    return model ? model->value(uid, 0) : QByteArray();
}

bool Par::notifyChange(quint32 uid, const QByteArray &before)
{
    const bool online = host()->boardConnected();
    return settle(ParModel::notifyChange(uid, 0, before), online, uid);
}

bool Par::settle(bool taken, bool online, quint32 key)
{
    if (taken) {
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

quint16 Par::load16(const void *p) { return qFromLittleEndian<quint16>(p); }

void Par::store16(void *p, quint16 v) { qToLittleEndian<quint16>(v, p); }

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
    // Left alone, every title's text document would read and decode the icon of its link
    // for itself, a fifth of the time a section takes to open: they share one.
    static const QPixmap icon(QLatin1String(ParModel::HelpIcon));
    if (auto *document = label->findChild<QTextDocument *>())
        document->addResource(QTextDocument::ImageResource, QUrl(QLatin1String("qrc") + QLatin1String(ParModel::HelpIcon)),
                              icon);
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
