// The help file format: reading its edge cases and writing in key order.
#include "devices/devicecfg.h"
#include <QTemporaryDir>
#include <QtTest>

class TestHelpFile : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QByteArray &content)
    {
        const QString path = dir.filePath(QStringLiteral("help"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }

private Q_SLOTS:
    void init() { DeviceCfg::clearHelpTexts(); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<quint32>>("keys");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("empty line dropped, end trimmed")
            << QByteArray("12\nText A\n\nText B\n---\n") << QList<quint32>{12}
            << QStringList{QStringLiteral("Text A\nText B")};
        QTest::newRow("unterminated entry dropped")
            << QByteArray("1\none\n---\n2\ntwo\n") << QList<quint32>{1} << QStringList{"one"};
        QTest::newRow("non-numeric key line ignored")
            << QByteArray("abc\n7\nseven\n---\n") << QList<quint32>{7} << QStringList{"seven"};
        QTest::newRow("negative key ignored")
            << QByteArray("-3\n4\nfour\n---\n") << QList<quint32>{4} << QStringList{"four"};
        QTest::newRow("later entry replaces earlier")
            << QByteArray("5\nold\n---\n5\nnew\n---\n") << QList<quint32>{5} << QStringList{"new"};
        QTest::newRow("crlf line ends")
            << QByteArray("3\r\n<b>x</b>\r\n---\r\n") << QList<quint32>{3} << QStringList{"<b>x</b>"};
        QTest::newRow("utf-8")
            << QByteArray("9\n\xd0\x9c\xd0\xbe\xd0\xbd\xd0\xb5\xd1\x82\xd0\xb0\n---\n")
            << QList<quint32>{9} << QStringList{QString::fromUtf8("Монета")};
        QTest::newRow("key line with text after number ignored")
            << QByteArray("12 x\n8\neight\n---\n") << QList<quint32>{8} << QStringList{"eight"};
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<quint32>, keys);
        QFETCH(QStringList, texts);
        DeviceCfg::setHelpText(999, QStringLiteral("stale"));
        QVERIFY(DeviceCfg::readHelpFile(write(content)));
        QCOMPARE(DeviceCfg::helpMap().keys(), keys);
        QCOMPARE(QStringList(DeviceCfg::helpMap().values()), texts);
    }

    void missingFileKeepsMap()
    {
        DeviceCfg::setHelpText(1, QStringLiteral("kept"));
        QVERIFY(!DeviceCfg::readHelpFile(dir.filePath(QStringLiteral("none"))));
        QCOMPARE(DeviceCfg::helpMap().value(1), QStringLiteral("kept"));
    }

    void writeInKeyOrderAndReadBack()
    {
        DeviceCfg::setHelpText(2, QStringLiteral("two\nlines"));
        DeviceCfg::setHelpText(0, QStringLiteral("zero"));
        const QString path = dir.filePath(QStringLiteral("out"));
        QVERIFY(DeviceCfg::writeHelpFile(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("0\nzero\n---\n2\ntwo\nlines\n---\n"));
        DeviceCfg::clearHelpTexts();
        QVERIFY(DeviceCfg::readHelpFile(path));
        QCOMPARE(DeviceCfg::helpMap().value(2), QStringLiteral("two\nlines"));
    }

    void failedWriteKeepsOldFile()
    {
        const QString path = write("1\nold\n---\n");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        DeviceCfg::setHelpText(1, QStringLiteral("new"));
        const bool written = DeviceCfg::writeHelpFile(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (written)
            QSKIP("running with rights that ignore folder permissions");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("1\nold\n---\n"));
    }
};

QTEST_MAIN(TestHelpFile)
#include "test_helpfile.moc"
