// Display scale, style sheet units, resource override and the setup dialog.
#include "base/resources.h"
#include "base/scale.h"
#include "app/setupdialog.h"
#include "app/stylesheet.h"
#include "privateenv.h"
#include <QDir>
#include <QPushButton>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { setDisplayScale(1.0); }

    void scaleFromDpi_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("scaled16");
        QTest::newRow("96") << 96.0 << 1.0 << 16;
        QTest::newRow("128") << 128.0 << 1.0 << 16;
        QTest::newRow("192") << 192.0 << 1.5 << 24;
        QTest::newRow("200") << 200.0 << 1.5625 << 25;
    }

    void scaleFromDpi()
    {
        QFETCH(double, dpi);
        QFETCH(double, scale);
        QFETCH(int, scaled16);
        setDisplayScale(scaleForDpi(dpi));
        QCOMPARE(displayScale(), scale);
        QCOMPARE(scaled(16), scaled16);
    }

    void styleUnits_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("4sp at 1") << 1.0 << "a{width:4sp}" << "a{width:4px}";
        QTest::newRow("4sp at 1.5") << 1.5 << "a{width:4sp}" << "a{width:6px}";
        QTest::newRow("10sp at 1.5") << 1.5 << "a{width:10sp}" << "a{width:15px}";
        QTest::newRow("plain number") << 1.5 << "a{border:1px; z:3}" << "a{border:1px; z:3}";
        QTest::newRow("several") << 2.0 << "8sp 16sp;1sp" << "16px 32px;2px";
        QTest::newRow("no digits") << 2.0 << "spacing: sp" << "spacing: sp";
    }

    void styleUnits()
    {
        QFETCH(double, scale);
        QFETCH(QString, in);
        QFETCH(QString, out);
        setDisplayScale(scale);
        QCOMPARE(scaleStyleSheet(in), out);
    }

    void styleReadStopsAtZeroByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("s.css");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("a{width:2sp}\0b{width:9sp}", 25));
        f.close();
        QString css;
        QVERIFY(readStyleSheet(path, &css));
        QCOMPARE(css, QStringLiteral("a{width:2px}"));
        QVERIFY(!readStyleSheet(dir.filePath("none.css"), &css));
    }

    void builtInStyleSheetLoads()
    {
        QString css;
        QVERIFY(readStyleSheet(QStringLiteral(":/res/style.css"), &css));
        QVERIFY(css.contains(QStringLiteral("QLabel#label")));
        QVERIFY(!css.contains(QRegularExpression(QStringLiteral("[0-9]sp"))));
    }

    void resourceOverride()
    {
        // Each test binary runs in a temporary folder of its own; "../Vandor" is private to it.
        QDir up(QDir::currentPath() + QStringLiteral("/.."));
        QCOMPARE(resourcePath(QStringLiteral("res/style.css")), QStringLiteral(":/res/style.css"));
        QVERIFY(up.mkpath(QStringLiteral("Vandor/res")));
        QFile f(up.filePath(QStringLiteral("Vandor/res/style.css")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(resourcePath(QStringLiteral("res/style.css")), QStringLiteral("../Vandor/res/style.css"));
        QCOMPARE(resourcePath(QStringLiteral("help_bg")), QStringLiteral(":/help_bg"));

        // A folder others may write to is nobody's to trust, and a help file saved there never
        // follows a link.
        const QString folder = up.filePath(QStringLiteral("Vandor"));
        QVERIFY(QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteOther));
        QCOMPARE(resourcePath(QStringLiteral("res/style.css")), QStringLiteral(":/res/style.css"));
        QVERIFY(developmentSavePath(QStringLiteral("help_x")).isEmpty());
        QVERIFY(QFile::setPermissions(folder, QFile::permissions(folder) & ~QFile::WriteOther));
        QCOMPARE(developmentSavePath(QStringLiteral("help_x")), QStringLiteral("../Vandor/help_x"));
        QVERIFY(QFile::link(up.filePath(QStringLiteral("elsewhere")), up.filePath(QStringLiteral("Vandor/help_x"))));
        QVERIFY(developmentSavePath(QStringLiteral("help_x")).isEmpty());
        QVERIFY(PrivateEnv::removeFolder(folder));
    }

    void setupDialogChoosesLanguage()
    {
        SetupDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Configuration"));
        auto *bg = dialog.findChild<QPushButton *>(QStringLiteral("butLangBg"));
        QVERIFY(bg);
        QCOMPARE(bg->text(), QStringLiteral("Български"));
        bg->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.lang, QStringLiteral("bg"));

        SetupDialog closed;
        closed.reject();
        QVERIFY(closed.lang.isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
