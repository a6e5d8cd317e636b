// The compiled-in Bulgarian translation: it really changes texts, the main window follows the
// "lang" setting, and the translation source has no entry left unfinished.
#include "app/maindialog.h"
#include "base/resources.h"
#include "app/setupdialog.h"
#include "devices/devmarvek2_0.h"
#include "fakelink.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include "testmodel.h"
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

    struct Window
    {
        ScriptedPrompt prompt;
        FakeLink *usb = nullptr;
        std::unique_ptr<MainDialog> dialog;

        // fixed: a 2.0 controller model, with its real help files, instead of a test model.
        explicit Window(bool fixed = false)
        {
            MainDialog::Parts parts;
            parts.prompt = &prompt;
            parts.makeModels = [fixed](QObject *parent) {
                return QList<DeviceCfg *>{fixed ? static_cast<DeviceCfg *>(new DevMarvek2_0(parent))
                                                : new TestModel("Model A", 0x200, 0x100, 0x201, parent)};
            };
            parts.makeUsbLink = [this](QObject *parent) { return usb = new FakeLink(parent); };
            parts.makeNetLink = [](QObject *parent) { return new FakeLink(parent); };
            dialog = std::make_unique<MainDialog>(parts);
        }
        QString status() const { return dialog->findChild<QLabel *>("conStatus")->text(); }
    };

    struct Entry
    {
        QString context, source, translation;
        bool unfinished = false;
    };

    static QList<Entry> readTs(const QString &path)
    {
        QList<Entry> entries;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return entries;
        QXmlStreamReader xml(&file);
        QString context;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("message")) {
                entries.append({context, {}, {}, false});
            } else if (xml.name() == QLatin1String("source") && !entries.isEmpty()) {
                entries.last().source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation") && !entries.isEmpty()) {
                const QStringRef type = xml.attributes().value(QLatin1String("type"));
                entries.last().unfinished = !type.isEmpty(); // "unfinished", "vanished", "obsolete"
                entries.last().translation = xml.readElementText();
            }
        }
        if (xml.hasError())
            entries.clear();
        return entries;
    }

    // The place markers a text is filled in with (%1, %2, %p%), sorted.
    static QStringList markers(const QString &text)
    {
        QStringList found;
        auto it = QRegularExpression(QStringLiteral("%(\\d+|p%)")).globalMatch(text);
        while (it.hasNext())
            found << it.next().captured(0);
        found.sort();
        return found;
    }

private Q_SLOTS:
    void init() { DeviceCfg::setCurrent(nullptr); }

    void translatorChangesTexts_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("bulgarian");
        QTest::newRow("status") << "MainDialog" << "Disconnected" << QStringLiteral("Няма връзка");
        QTest::newRow("load") << "MainDialog" << "Load failed" << QStringLiteral("Зареждането е неуспешно");
        QTest::newRow("progress") << "MainDialog" << "Update device %p%" << QStringLiteral("Обновяване на устройството %p%");
        QTest::newRow("relay test") << "RelayTest" << "Finish" << QStringLiteral("Край");
        QTest::newRow("odd spelling") << "TcpIo" << "Unspported" << QStringLiteral("Не се поддържа");
        QTest::newRow("tab title") << "DevMarvek2_0" << "Coin validator ccTalk" << QStringLiteral("Монетоприемник ccTalk");
        QTest::newRow("label") << "DevMarvek2_0" << "Coin %1 value [cents]" << QStringLiteral("Стойност на монета %1 [стотинки]");
        QTest::newRow("service button") << "SysDialog" << "cl nvm" << QStringLiteral("cl nvm");
        QTest::newRow("backup summary") << "SiteBackup" << "not reached" << QStringLiteral("не е достигната");
    }
    void translatorChangesTexts()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, bulgarian);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Vandor_bg.qm")));
        const QByteArray c = context.toUtf8(), s = source.toUtf8();
        QCOMPARE(translator.translate(c.constData(), s.constData()), bulgarian);
        QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), source); // not installed
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), bulgarian);
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), source);
    }

    void mainDialogFollowsSetting_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("status");
        QTest::newRow("en") << "en" << "Disconnected";
        QTest::newRow("bg") << "bg" << QStringLiteral("Няма връзка");
        QTest::newRow("no setting: bg") << "" << QStringLiteral("Няма връзка");
        QTest::newRow("unknown code: built-in") << "xx" << "Disconnected";
    }
    void mainDialogFollowsSetting()
    {
        QFETCH(QString, lang);
        QFETCH(QString, status);
        setTestLanguage(lang);
        {
            Window w;
            QCOMPARE(w.status(), status);
            QCOMPARE(QCoreApplication::translate("MainDialog", "Load failed"),
                     status == QLatin1String("Disconnected") ? QStringLiteral("Load failed")
                                                             : QStringLiteral("Зареждането е неуспешно"));
            QCOMPARE(w.dialog->windowTitle(), QStringLiteral("Vandor"));
        }
        // The translator goes with the window.
        QCOMPARE(QCoreApplication::translate("MainDialog", "Disconnected"), QStringLiteral("Disconnected"));
    }

    void switchWhileRunning_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("en to bg") << "en" << "bg" << "Disconnected" << QStringLiteral("Няма връзка");
        QTest::newRow("bg to en") << "bg" << "en" << QStringLiteral("Няма връзка") << "Disconnected";
    }
    void switchWhileRunning()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, before);
        QFETCH(QString, after);
        setTestLanguage(from);
        Window w;
        QCOMPARE(w.status(), before);
        setTestLanguage(to);
        w.dialog->loadLanguage();
        QCOMPARE(w.status(), before); // texts on screen keep their language until made again
        w.usb->unplug();              // the disconnected state sets the status text anew
        QCOMPARE(w.status(), after);
        QCOMPARE(w.dialog->windowTitle(), QStringLiteral("Vandor"));
    }

    // Qt's own texts and the form's tooltips follow the language too, and the language dialog
    // shows the choice in use.
    void qtTextsAndFormTranslated()
    {
        setTestLanguage(QStringLiteral("bg"));
        Window w;
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отказ"));
        QCOMPARE(w.dialog->findChild<QPushButton *>("butLoad")->toolTip(), QStringLiteral("Зареждане на конфигурация"));
        SetupDialog setup(w.dialog.get(), QStringLiteral("bg"));
        QVERIFY(setup.findChild<QPushButton *>("butLangBg")->isChecked());
        QVERIFY(!setup.findChild<QPushButton *>("butLangEn")->isChecked());
    }

    // The next (i) after a change of language shows the help of that language, from the English
    // files for English. Edit opens a titled dialog: Esc leaves the text as it was, OK keeps the
    // new one in the model's file of the language shown, never in the other language's.
    void helpFollowsLanguageAndEditsKeepToIt()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("run")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("run"))));
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_bg")));
        const QString bulgarian = DeviceCfg::helpMap().value(7166);
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_en")));
        const QString english = DeviceCfg::helpMap().value(7166);
        QVERIFY(!english.isEmpty() && english != bulgarian);
        setTestLanguage(QStringLiteral("bg"));
        {
            Window w(true);
            w.dialog->pageContainer()->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly).at(0)->click();
            DeviceCfg *model = DeviceCfg::current();
            QVERIFY(model);
            w.dialog->showHelp(QStringLiteral("#ln7166"));
            QPointer<HelpWindow> help = w.dialog->helpWindow();
            QVERIFY(help);
            QCOMPARE(help->text(), bulgarian);
            w.dialog->setLanguage(QStringLiteral("en"));
            w.dialog->showHelp(QStringLiteral("#ln7166"));
            QCOMPARE(help->text(), english);

            auto *edit = help->findChild<QPushButton *>(QStringLiteral("butHelpEdit"));
            QVERIFY(edit && edit->isVisible());
            const QString saved = QStringLiteral("../Vandor/help_cnt20_");
            for (const bool ok : {false, true}) {
                QTest::mouseClick(edit, Qt::LeftButton);
                auto *editor = w.dialog->findChild<HelpEditor *>();
                QVERIFY(editor && editor->isVisible());
                QCOMPARE(editor->windowTitle(), QStringLiteral("Edit help: Relay signal invert"));
                QCOMPARE(editor->text(), english);
                auto *text = editor->findChild<QPlainTextEdit *>();
                text->setPlainText(QStringLiteral("Edited in English"));
                if (ok)
                    editor->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
                else
                    QTest::keyClick(text, Qt::Key_Escape);
                QTRY_VERIFY(!w.dialog->findChild<HelpEditor *>());
                QCOMPARE(help->text(), ok ? QStringLiteral("Edited in English") : english);
                QCOMPARE(QFileInfo::exists(saved + QStringLiteral("en")), ok);
            }
            QVERIFY(!QFileInfo::exists(saved + QStringLiteral("bg")));
            // Back to Bulgarian, even without the page made again: its own text, untouched.
            setTextLanguage(QStringLiteral("bg"));
            QCOMPARE(model->helpText(7166), bulgarian);
            w.dialog->setLanguage(QStringLiteral("en"));
            w.dialog->showHelp(QStringLiteral("#ln7166"));
            QCOMPARE(help->text(), QStringLiteral("Edited in English"));
        }
        QVERIFY(QDir::setCurrent(before));
    }

    void sourceHasNoUnfinishedEntries()
    {
        const QList<Entry> entries = readTs(QStringLiteral(VANDOR_TS_FILE));
        QVERIFY2(entries.size() > 100, VANDOR_TS_FILE);
        for (const Entry &e : entries) {
            const QString where = e.context + QLatin1String(": ") + e.source;
            QVERIFY2(!e.unfinished, qPrintable(where));
            QVERIFY2(!e.translation.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(markers(e.translation) == markers(e.source), qPrintable(where));
        }
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
