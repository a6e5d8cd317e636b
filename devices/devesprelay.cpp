#include "devices/devesprelay.h"
#include "base/boundedfile.h"
#include "base/host.h"
#include "base/prompt.h"
#include "base/resources.h"
#include "devices/firmwareupdate.h"
#include "link/devio.h"
#include "link/linkcancel.h"
#include "link/tcpio.h"
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DevEspRelay::DevEspRelay(QObject *parent) : DeviceCfg(parent)
{
    word0 = 0xFFFF;
    word1 = 0xE000;
    word2 = 0xFFFF;
}

bool DevEspRelay::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    if (w1 != 0xE000)
        return false;
    word0 = w0;
    word2 = w2;
    return true;
}

QString DevEspRelay::title() const { return tr("ESP Bridge board"); }

QString DevEspRelay::parName(quint32 key) { return tr("Parameter %1").arg(key, 0, 16); }

QString DevEspRelay::helpText(quint32) { return QStringLiteral("unused"); }

void DevEspRelay::buildPage(QWidget *container)
{
    m_page = container;
    auto *layout = new QVBoxLayout(container);
    DevIo *link = host()->link();
    m_name = new QLabel(link ? link->versionText : QString(), container);
    m_name->setObjectName(QStringLiteral("boardName"));
    // The bridge's version text is the peer's: shown as it is, never as markup.
    m_name->setTextFormat(Qt::PlainText);
    m_name->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_name);
    auto *update = new QPushButton(tr("Update firmware"), container);
    update->setObjectName(QStringLiteral("butUpdateFirmware"));
    connect(update, &QPushButton::clicked, this, &DevEspRelay::updateFirmware);
    layout->addWidget(update);
    layout->addStretch();
}

void DevEspRelay::updateFirmware()
{
    const QString title = tr("Update firmware");
    const QString path =
        prompt()->openFileName(title, startFolder(),
                               tr("Firmware (*.efrm)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    QString why;
    if (!openBoundedFile(&file, FileBounds::Firmware, &why)) {
        prompt()->message(Prompt::Icon::Warning, title, tr("Load failed") + QLatin1Char('\n') + why);
        return;
    }
    const QByteArray firmware = file.readAll();
    if (firmware.isEmpty()) {
        prompt()->message(Prompt::Icon::Warning, title, tr("Invalid file"));
        return;
    }
    // Only the network link carries firmware.
    DevIo *link = host()->link();
    if (!qobject_cast<TcpIo *>(link))
        return;
    host()->showProgress(tr("Update firmware %p%"));
    const FirmwareUpdate::Result r = FirmwareUpdate::send(link, firmware, host()->progress());
    const bool cancelled = LinkCancel::requested();
    host()->hideProgress();
    if (cancelled && r.status != FirmwareUpdate::Result::Done) {
        prompt()->message(Prompt::Icon::Warning, title,
                          tr("Firmware update cancelled at block %1 of %2.").arg(r.block).arg(r.blocks));
        return;
    }
    switch (r.status) {
    case FirmwareUpdate::Result::Done:
        prompt()->message(Prompt::Icon::Information, title,
                          tr("Firmware update done: %1 bytes sent.").arg(firmware.size()));
        break;
    case FirmwareUpdate::Result::HeaderRefused:
        prompt()->message(Prompt::Icon::Warning, title, tr("Firmware update refused: the board did not accept the file."));
        break;
    case FirmwareUpdate::Result::BlockRefused:
        prompt()->message(Prompt::Icon::Warning, title,
                          tr("Firmware update refused at block %1 of %2.").arg(r.block).arg(r.blocks));
        break;
    case FirmwareUpdate::Result::FinishFailed:
        prompt()->message(Prompt::Icon::Warning, title,
                          tr("Firmware update incomplete: the connection was lost before the end."));
        break;
    }
}
