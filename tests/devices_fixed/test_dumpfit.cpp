// A dump of another board generation loaded in the main window, with a 2.0 board connected and
// offline: the question names the generation the file looks like and Enter refuses it, nothing
// is sent; Yes loads it; a dump of this model is loaded without a question.
#include "app/maindialog.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/factoryimage.h"
#include "devices/fixedimage.h"
#include "fakelink.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

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
    QTRY_COMPARE(DeviceCfg::current(), model);

    QTemporaryDir dir;
    DevMarvek3_0 totalizer;
    QByteArray own = FactoryImage::of(*model).image;
    FixedImage::setWord16(reinterpret_cast<quint8 *>(own.data()), 7170, 42);
    FixedImage::seal(reinterpret_cast<quint8 *>(own.data()), model->layout());
    // The file is loaded and a question answered with Yes or No, or with Enter (no answer).
    const auto load = [&](const QByteArray &image, std::optional<bool> answer) {
        const QString path = dir.filePath(QStringLiteral("dump.bin"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(image);
        f.close();
        prompt.files.enqueue(path);
        if (answer)
            prompt.answers.enqueue(*answer);
        else
            prompt.enters = 1;
        prompt.choices.clear();
        prompt.choices.enqueue(0); // the overwrite of the board, asked once the file fits
        usb->calls.clear();
        prompt.asked.clear();
        prompt.defaultNo.clear();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("butLoad")), Qt::LeftButton);
        prompt.enters = 0;
        prompt.answers.clear();
    };
    const QString asked = QStringLiteral("This file looks like a configuration of Marvek Totalizer, not of Marvek ccTalk: ");

    for (bool connected : {true, false}) {
        if (!connected)
            usb->unplug();
        // Enter answers No: nothing reaches the board and the page keeps the board's values.
        const quint16 before = FixedImage::word16(model->image(), 7212);
        load(FactoryImage::of(totalizer).image, std::nullopt);
        QCOMPARE(prompt.defaultNo.size(), 1);
        QVERIFY2(prompt.defaultNo.at(0).startsWith(asked), qPrintable(prompt.defaultNo.at(0)));
        QVERIFY(usb->callsOf("writeCfg").isEmpty());
        QCOMPARE(FixedImage::word16(model->image(), 7212), before);
        // Yes loads it whole.
        load(FactoryImage::of(totalizer).image, true);
        QCOMPARE(FixedImage::word16(model->image(), 7212), quint16(255));
        if (connected)
            QCOMPARE(usb->callsOf("writeCfg").size(), (FixedImage::WriteEnd + 59) / 60);
        // A dump of this model is loaded without a question.
        load(own, std::nullopt);
        QVERIFY(prompt.asked.filter(QStringLiteral("looks like")).isEmpty());
        QCOMPARE(FixedImage::word16(model->image(), 7170), quint16(42));
    }
    scanEnabled = true;
}

QTEST_MAIN(TestDumpFit)
#include "test_dumpfit.moc"
