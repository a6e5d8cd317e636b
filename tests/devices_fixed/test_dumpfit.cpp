// A dump of another board generation loaded in the main window while a 2.0 board is connected:
// the user is asked before anything is sent, and a dump of this model is loaded as before.
#include "app/maindialog.h"
#include "devices/devmarvek2_0.h"
#include "devices/fixedimage.h"
#include "fakelink.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sealed 2.0 images: erased parameters (no value out of range), or words no 2.0 range holds.
QByteArray image(const DevMarvek2_0 &model, bool foreign)
{
    QByteArray img(FixedImage::Size, char(0xFF));
    auto *p = reinterpret_cast<quint8 *>(img.data());
    for (int a = 6540; foreign && a < 8180; a += 2)
        FixedImage::setWord16(p, a, quint16(0x7000 + a));
    FixedImage::setWord16(p, 7170, 42);
    FixedImage::seal(p, model.layout());
    return img;
}

} // namespace

class TestDumpFit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void foreignDumpIsAskedAbout();
};

void TestDumpFit::foreignDumpIsAskedAbout()
{
    DeviceCfg::setCurrent(nullptr);
    ScriptedPrompt prompt;
    DevMarvek2_0 *model = nullptr;
    FakeLink *usb = nullptr;
    MainDialog::Parts parts;
    parts.prompt = &prompt;
    parts.makeModels = [&model](QObject *parent) {
        model = new DevMarvek2_0(parent);
        return QList<DeviceCfg *>{model};
    };
    parts.makeUsbLink = [&usb](QObject *parent) {
        usb = new FakeLink(parent);
        usb->id0 = 0x0242;
        usb->id1 = 0x0100;
        usb->id2 = 0x9202;
        return usb;
    };
    parts.makeNetLink = [](QObject *parent) { return new FakeLink(parent); };
    MainDialog window(parts);
    usb->announce(QStringLiteral("QB14T37"), 1);
    QCOMPARE(DeviceCfg::current(), model);
    QVERIFY(!scanEnabled);

    QTemporaryDir dir;
    const auto load = [&](bool foreign, std::optional<bool> answer) {
        const QString path = dir.filePath(foreign ? QStringLiteral("foreign.bin") : QStringLiteral("own.bin"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(image(*model, foreign));
        f.close();
        prompt.files.enqueue(path);
        if (answer)
            prompt.answers.enqueue(*answer);
        usb->calls.clear();
        prompt.asked.clear();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("butLoad")), Qt::LeftButton);
    };

    // Refused: nothing reaches the board and the page keeps the board's values.
    load(true, false);
    QCOMPARE(prompt.asked.filter(QStringLiteral("Load|This file does not look like a configuration of Marvek ccTalk")).size(), 1);
    QVERIFY(usb->callsOf("writeCfg").isEmpty());
    QCOMPARE(FixedImage::word16(model->image(), 7172), quint16(0xFFFF));
    // Accepted: written whole.
    load(true, true);
    QCOMPARE(usb->callsOf("writeCfg").size(), (FixedImage::WriteEnd + 59) / 60);
    QCOMPARE(FixedImage::word16(model->image(), 7172), quint16(0x7000 + 7172));
    // A dump of this model is loaded without a question.
    load(false, std::nullopt);
    QVERIFY(prompt.asked.filter(QStringLiteral("does not look like")).isEmpty());
    QCOMPARE(usb->callsOf("writeCfg").size(), (FixedImage::WriteEnd + 59) / 60);
    QCOMPARE(FixedImage::word16(model->image(), 7170), quint16(42));
    scanEnabled = true;
}

QTEST_MAIN(TestDumpFit)
#include "test_dumpfit.moc"
