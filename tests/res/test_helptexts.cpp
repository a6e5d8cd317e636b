// The embedded help texts: every help key of the 2.0 controller page has an explanation.
#include "devices/devicecfg.h"
#include <QtTest>

class TestHelpTexts : public QObject
{
    Q_OBJECT

    // Help keys of the 2.0 page: the first address of each range, line keys with their
    // offset inside line 1, and the NV-region value 0x8074.
    static QList<quint32> controller20Keys()
    {
        QList<quint32> keys{6540, 6544};
        for (quint32 k = 6548; k <= 6740; k += 32)
            keys << k;
        for (quint32 k = 6772; k <= 6792; k += 2)
            keys << k;
        for (quint32 k = 6796; k <= 7116; k += 32)
            keys << k;
        for (quint32 k = 7148; k <= 7170; k += 2)
            keys << k;
        for (quint32 k = 7172; k < 7300; k += 2)
            keys << k;
        keys << 7300 << 7332 << 7334 << 7336 << 7342 << 7470 << 7476 << 7604 << 7612 << 7636 << 8148
             << 8154 << 8156 << 8158 << 8160 << 8162 << 8168 << 8170 << 8172 << 8174 << 8176 << 8178
             << 0x8074;
        return keys;
    }

private Q_SLOTS:
    void controllerHelpCoversEveryKey()
    {
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_bg")));
        for (quint32 key : controller20Keys())
            QVERIFY2(!DeviceCfg::helpMap().value(key).isEmpty(), qPrintable(QString::number(key)));
    }

    void otherModelsFilesAreEmbedded()
    {
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_tkm_bg")));
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_robo_bg")));
    }
};

QTEST_MAIN(TestHelpTexts)
#include "test_helptexts.moc"
