#include "testmodel.h"
#include "base/progress.h"
#include <QIODevice>
#include <QLabel>
#include <QVBoxLayout>

TestModel::TestModel(const QString &title, quint16 w0, quint16 w1, quint16 w2, QObject *parent)
    : DeviceCfg(parent), name(title), bytes(16, char(0xFF))
{
    word0 = w0;
    word1 = w1;
    word2 = w2;
}

namespace {
constexpr quint32 NvFlag = 0x8000;
}

QByteArray TestModel::value(quint32 key, int size) const
{
    const QByteArray &region = (key & NvFlag) ? nv : bytes;
    const int at = int(key & ~NvFlag);
    if (size <= 0 || at + size > region.size())
        return {};
    return region.mid(at, size);
}

bool TestModel::store(quint32 key, const QByteArray &value)
{
    QByteArray &region = (key & NvFlag) ? nv : bytes;
    const int at = int(key & ~NvFlag);
    if (value.isEmpty() || at + value.size() > region.size())
        return false;
    region.replace(at, value.size(), value);
    return true;
}

bool TestModel::load(QIODevice *file)
{
    const QByteArray data = file->readAll();
    if (failLoad || data.size() != bytes.size())
        return false;
    bytes = data;
    return true;
}

bool TestModel::save(QIODevice *file) { return file->write(bytes) == bytes.size(); }

bool TestModel::readDevice(Progress *progress)
{
    ++reads;
    if (whileReading)
        whileReading();
    progress->setMaximum(1);
    progress->setValue(1);
    return failRead;
}

void TestModel::buildPage(QWidget *container)
{
    ++pagesBuilt;
    auto *layout = new QVBoxLayout(container);
    auto *label = new QLabel(name, container);
    label->setObjectName(QStringLiteral("testPage"));
    layout->addWidget(label);
}
