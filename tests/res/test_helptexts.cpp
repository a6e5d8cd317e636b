// The embedded help texts in both languages: every help key of the 2.0 controller page has an
// explanation, and every Bulgarian file has its English counterpart.
#include "devices/devicecfg.h"
#include <QRegularExpression>
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

    // The links a text holds ("#ln12", "#ed12", "#save"), sorted.
    static QStringList links(const QString &text)
    {
        QStringList found;
        auto it = QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).globalMatch(text);
        while (it.hasNext())
            found << it.next().captured(1);
        found.sort();
        return found;
    }

private Q_SLOTS:
    void controllerHelpCoversEveryKey_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("bg") << ":/help_bg";
        QTest::newRow("en") << ":/help_en";
    }
    void controllerHelpCoversEveryKey()
    {
        QFETCH(QString, file);
        QVERIFY(DeviceCfg::readHelpFile(file));
        for (quint32 key : controller20Keys())
            QVERIFY2(!DeviceCfg::helpMap().value(key).isEmpty(), qPrintable(QString::number(key)));
    }

    void otherModelsFilesAreEmbedded()
    {
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_tkm_bg")));
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_robo_bg")));
    }

    // Every Bulgarian file has its English one with the same keys, each text in English with
    // the markup and links of the Bulgarian one.
    void englishFileMatchesBulgarian_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"help", "help_cnt11", "help_cnt30", "help_robo", "help_tkm"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void englishFileMatchesBulgarian()
    {
        QFETCH(QString, name);
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/") + name + QStringLiteral("_bg")));
        const QMap<quint32, QString> bulgarian = DeviceCfg::helpMap();
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/") + name + QStringLiteral("_en")));
        const QMap<quint32, QString> english = DeviceCfg::helpMap();
        QCOMPARE(english.keys(), bulgarian.keys());
        static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
        for (auto it = english.constBegin(); it != english.constEnd(); ++it) {
            const QString bg = bulgarian.value(it.key()), where = QString::number(it.key());
            QVERIFY2(!it.value().contains(cyrillic), qPrintable(where));
            QVERIFY2(it.value().startsWith(QLatin1String("<b>")) == bg.startsWith(QLatin1String("<b>")), qPrintable(where));
            QVERIFY2(it.value().count(QLatin1String("<br>")) == bg.count(QLatin1String("<br>")), qPrintable(where));
            QVERIFY2(links(it.value()) == links(bg), qPrintable(where));
        }
    }
};

QTEST_MAIN(TestHelpTexts)
#include "test_helptexts.moc"
