// The Controller 2.0 page: tabs and their order, one editor per value, the board-feature
// variants, defaults into erased values only, the finished image and editor changes on the wire.
#include "editors/multistagebutton.h"
#include "editors/parbackground.h"
#include "editors/parbitmask.h"
#include "editors/parbitmaskbutton.h"
#include "editors/parcolor2.h"
#include "editors/parinverter.h"
#include "editors/parslider2.h"
#include "fakelink.h"
#include "page20.h"
#include "recordinghost.h"
#include "editors/partext.h"
#include "editors/textpool.h"
#include "devices/factoryimage.h"
#include <QLineEdit>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSet>
#include <QSpinBox>
#include <QScrollArea>
#include <QtTest>

class TestMarvek2_0Page : public QObject
{
    Q_OBJECT

    static QByteArray le16(quint16 v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); }

    static QStringList gridHeaders(QWidget *programs, QList<int> *spans = nullptr)
    {
        // The grid is made of the part kept in view and the part in a scroll area of its own,
        // so that it scrolls sideways; their headers in a row.
        QStringList headers;
        for (auto *grid : programs->findChildren<QWidget *>()) {
            auto *cells = qobject_cast<QGridLayout *>(grid->layout());
            if (!grid->property("hideTitle").toBool() || !cells)
                continue;
            for (int c = 0; c < cells->columnCount(); ++c) {
                QLayoutItem *item = cells->itemAtPosition(0, c);
                auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
                if (!label || (c > 0 && cells->itemAtPosition(0, c - 1) == item))
                    continue;
                int row, col, rowSpan, colSpan;
                cells->getItemPosition(cells->indexOf(label), &row, &col, &rowSpan, &colSpan);
                headers << label->text();
                if (spans)
                    spans->append(colSpan);
            }
        }
        return headers;
    }

private Q_SLOTS:
    void init() { setCurrentLink(nullptr); }

    void tabsInOrder()
    {
        Page20 p(0x201, 0x0202);
        QCOMPARE(p.tabTitles(), (QStringList{
            "Coin validator ccTalk", "Coin validator Parallel", "Buttons and Relays", "Programs",
            "Fiscal signals", "Operator view", "Out of order view", "Idle view 1", "Idle view 2",
            "Idle view 3", "Idle view 4", "Coins view", "Active view", "WiFi connection"}));
        // Every tab starts closed.
        for (auto *c : p.container->findChildren<QWidget *>(QStringLiteral("tabContents")))
            QVERIFY(c->isHidden());
        QVERIFY(p.container->layout()->itemAt(p.container->layout()->count() - 1)->spacerItem());
    }

    // Each offered value gets exactly one editor; the page holds no other editors.
    void oneEditorPerValue_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<int>("editors");
        // ccTalk 18, parallel 64, buttons 11 (+4 with both inverters), programs 2 + 16 x 9
        // (+16 x 9 with inverters and extra boards), fiscal 2, operator 17, out of order 17,
        // idle 4 x 18, coins 7 (+1 popup), active 5, WiFi 3.
        QTest::newRow("0x200, plain") << 0x200u << 0x0202u << 362;
        QTest::newRow("0x201, plain") << 0x201u << 0x0201u << 363;
        QTest::newRow("0x201 with feature bits") << 0x201u << 0xE202u << 363;
        QTest::newRow("extended, everything") << 0x242u << 0xE202u << 363 + 4 + 16 * 9;
        QTest::newRow("extended, inverter 1") << 0x242u << 0x8202u << 363 + 2 + 16 * 3;
        QTest::newRow("extended, inverter 2") << 0x242u << 0x4202u << 363 + 2 + 16 * 3;
        QTest::newRow("extended, extra boards") << 0x242u << 0x2202u << 363 + 16 * 3;
        QTest::newRow("extended, nothing") << 0x242u << 0x0202u << 363;
    }

    void oneEditorPerValue()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w2);
        QFETCH(int, editors);
        Page20 p{quint16(w0), quint16(w2)};
        QSet<quint32> bound;
        for (const auto &pl : p.model.placements()) {
            QVERIFY(pl.editor);
            QVERIFY2(!bound.contains(pl.address), qPrintable(QString::number(pl.address)));
            bound.insert(pl.address);
            if (pl.second) {
                QVERIFY(!bound.contains(pl.second));
                bound.insert(pl.second);
            }
        }
        QCOMPARE(p.model.placements().size(), editors);
        QCOMPARE(p.container->findChildren<Par *>().size(), editors);
        // The editors of the always-present parameters, spot-checked by kind.
        QVERIFY(p.editorAt<ParSlider2>(0x8074));
        QVERIFY(p.editorAt<ParSlider2>(7164));
        QVERIFY(p.editorAt<ParBitmask>(6786));
        QVERIFY(p.editorAt<ParBitmaskButton>(7084 + 30));
        QCOMPARE(p.count(7052 + 30), 1);
        QCOMPARE(p.count(6828), 1);
        QVERIFY(p.editorAt<ParBackground>(7612 + 18));
        QVERIFY(p.editorAt<ParColor2>(8176));
    }

    void fiscalChannel_data()
    {
        QTest::addColumn<uint>("w2");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<uint>("def");
        QTest::newRow("0x0201") << 0x0201u << QStringList{"1", "4", "5", "6", "R"} << 0x10u;
        QTest::newRow("0x0202") << 0x0202u << QStringList{"1", "2", "3", "4", "5", "6", "R"} << 0u;
        // The whole word is compared: feature bits make any firmware count as new.
        QTest::newRow("0x8201") << 0x8201u << QStringList{"1", "2", "3", "4", "5", "6", "R"} << 0u;
    }

    void fiscalChannel()
    {
        QFETCH(uint, w2);
        QFETCH(QStringList, names);
        QFETCH(uint, def);
        Page20 p(0x201, quint16(w2));
        QCOMPARE(p.count(6786), 1);
        QStringList shown;
        for (auto *b : p.editorAt(6786)->findChildren<QAbstractButton *>())
            shown << b->text();
        QCOMPARE(shown, names);
        QCOMPARE(p.word(6786), quint16(def));
    }

    void coinInputsFollowFirmware()
    {
        // One page at a time: the text pool belongs to the page built last.
        {
            Page20 older(0x201, 0x0201);
            QCOMPARE(older.buttons(older.editorAt(7172)), 4);
            QCOMPARE(older.word(7172 + 8), quint16(0x02)); // coin 2: the second listed input, "4"
            QCOMPARE(older.word(7172 + 8 * 4), quint16(0));
        }
        Page20 newer(0x201, 0x0202);
        QCOMPARE(newer.buttons(newer.editorAt(7172)), 6);
        QCOMPARE(newer.word(7172 + 8 * 2), quint16(0x01));
        QCOMPARE(newer.word(7172 + 8 * 6), quint16(0));
    }

    void popupTimeout()
    {
        {
            Page20 p200(0x200, 0x0202);
            QCOMPARE(p200.count(6772), 0);
            QCOMPARE(p200.word(6772), quint16(0xFFFF)); // no editor, no default
        }
        Page20 p201(0x201, 0x0202);
        QCOMPARE(p201.count(6772), 1);
        QCOMPARE(p201.word(6772), quint16(5));
    }

    void programGrid_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QList<int>>("spans");
        QTest::newRow("plain")
            << 0x201u << 0xE202u
            << QStringList{"Name", "Time", "Buttons", "Relays", "Delay A", "Change relays A", "Delay B",
                           "Change relays B", "Colors"}
            << QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("extended, everything")
            << 0x242u << 0xE202u
            << QStringList{"Name", "Time", "Buttons", "Relays", "Inverter 1", "Inverter 2", "Delay A",
                           "Change relays A", "Inverter 1 A", "Inverter 2 A", "Delay B", "Change relays B",
                           "Inverter 1 B", "Inverter 2 B", "Colors"}
            << QList<int>{1, 1, 1, 2, 1, 1, 1, 2, 1, 1, 1, 2, 1, 1, 1};
        QTest::newRow("extended, inverter 2 only")
            << 0x242u << 0x4202u
            << QStringList{"Name", "Time", "Buttons", "Relays", "Inverter 2", "Delay A", "Change relays A",
                           "Inverter 2 A", "Delay B", "Change relays B", "Inverter 2 B", "Colors"}
            << QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    }

    void programGrid()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w2);
        QFETCH(QStringList, headers);
        QFETCH(QList<int>, spans);
        Page20 p{quint16(w0), quint16(w2)};
        QList<int> shownSpans;
        QCOMPARE(gridHeaders(p.tab("Programs"), &shownSpans), headers);
        QCOMPARE(shownSpans, spans);
        // Rows numbered 1 to 16 beside the names, which stay in view while the rest of the
        // grid scrolls sideways on its own, each row at the height of its taller side.
        QWidget *kept = p.editorAt(6860)->parentWidget();
        auto *cells = qobject_cast<QGridLayout *>(kept->layout());
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(qobject_cast<QLabel *>(cells->itemAtPosition(r, 0)->widget())->text(), QString::number(r));
        QVERIFY(!qobject_cast<QScrollArea *>(kept->parentWidget()->parentWidget()));
        QWidget *grid = p.editorAt<ParSlider2>(6892)->parentWidget();
        QVERIFY(qobject_cast<QScrollArea *>(grid->parentWidget()->parentWidget()));
        p.tab(QStringLiteral("Programs"))->show();
        p.container->show();
        const auto middle = [&p](quint32 address) {
            QWidget *editor = p.editorAt(address);
            return editor->mapTo(p.container.get(), editor->rect().center()).y();
        };
        QTRY_COMPARE(middle(6860 + 2 * 15), middle(7084 + 2 * 15));
        QVERIFY(middle(6860 + 2 * 15) > middle(6860 + 2 * 14));
        // Compact editors: a slider in the grid shows its spin box only, and no title.
        auto *time = p.editorAt<ParSlider2>(6892 + 6);
        QVERIFY(time);
        QVERIFY(time->findChild<QLabel *>("label")->isHidden());
        QVERIFY(!p.editorAt<ParSlider2>(7164)->findChild<QLabel *>("label")->isHidden());
    }

    void inverterRowsOfButtonsAndRelays_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<QList<uint>>("present");
        QTest::newRow("plain board, bits set") << 0x201u << 0xC202u << QList<uint>{};
        QTest::newRow("extended, both") << 0x242u << 0xC202u << QList<uint>{6540, 6544, 6542, 6546};
        QTest::newRow("extended, inverter 1") << 0x242u << 0x8202u << QList<uint>{6540, 6544};
        QTest::newRow("extended, inverter 2") << 0x242u << 0x4202u << QList<uint>{6542, 6546};
        QTest::newRow("extended, none") << 0x242u << 0x2202u << QList<uint>{};
    }

    void inverterRowsOfButtonsAndRelays()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w2);
        QFETCH(QList<uint>, present);
        Page20 p{quint16(w0), quint16(w2)};
        // In page order: after 7162, before 7160.
        QList<uint> order;
        for (const auto &pl : p.model.placements())
            if (pl.address >= 6540 && pl.address < 6548)
                order << pl.address;
        QCOMPARE(order, present);
        const auto layout = p.tab("Buttons and Relays")->layout();
        QCOMPARE(layout->count(), 11 + present.size());
        QCOMPARE(layout->itemAt(6)->widget(), static_cast<QWidget *>(p.editorAt(7162)));
        QCOMPARE(layout->itemAt(7 + present.size())->widget(), static_cast<QWidget *>(p.editorAt(7160)));
    }

    void relayBits_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<int>("relays");
        QTest::addColumn<int>("extra");
        QTest::newRow("plain") << 0x201u << 0x3202u << 6 << 0;
        QTest::newRow("extended, 8 relays") << 0x242u << 0x0202u << 8 << 0;
        QTest::newRow("extended, extra boards of 8") << 0x242u << 0x2202u << 16 << 8;
        QTest::newRow("extended, extra boards of 16") << 0x242u << 0x3202u << 16 << 16;
    }

    void relayBits()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w2);
        QFETCH(int, relays);
        QFETCH(int, extra);
        Page20 p{quint16(w0), quint16(w2)};
        QCOMPARE(p.buttons(p.editorAt(7166)), relays);
        QCOMPARE(p.buttons(p.editorAt(7148)), relays);
        auto *extraButton = p.editorAt<ParBitmaskButton>(6740);
        QCOMPARE(bool(extraButton), extra > 0);
        if (extraButton)
            QCOMPARE(extraButton->sizeHint().width(), extra > 8 ? 16 * ((extra + 1) / 2) + 2 : 16 * extra + 2);
    }

    void groupsOfCoins()
    {
        Page20 p(0x201, 0x0202);
        const auto ccTalk = p.tab("Coin validator ccTalk")->findChildren<QGroupBox *>();
        QCOMPARE(ccTalk.size(), 16);
        QCOMPARE(ccTalk[15]->title(), QStringLiteral("Coin code 16"));
        QCOMPARE(ccTalk[15]->findChildren<Par *>(), QList<Par *>{p.editorAt(7330)});
        const auto parallel = p.tab("Coin validator Parallel")->findChildren<QGroupBox *>();
        QCOMPARE(parallel.size(), 16);
        auto *box = parallel[1];
        QCOMPARE(box->layout()->count(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(box->layout()->itemAt(i)->widget(), static_cast<QWidget *>(p.editorAt(7180 + 2 * quint32(i))));
    }

    void idleViewsTakeTheirShare()
    {
        Page20 p(0x201, 0x0202);
        QWidget *third = p.tab("Idle view 3");
        QVERIFY(third);
        const auto editors = third->findChildren<Par *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(editors.contains(p.editorAt(7608)));
        QVERIFY(editors.contains(p.editorAt(7624)));
        QCOMPARE(third->layout()->itemAt(0)->widget(), static_cast<QWidget *>(p.editorAt(7608)));
        QCOMPARE(third->layout()->itemAt(1)->widget(), static_cast<QWidget *>(p.editorAt(7624)));
    }

    // Defaults go only into erased values; anything else stays as it was.
    void defaultsIntoErasedOnly()
    {
        {
        Page20 erased(0x201, 0x0202);
        QCOMPARE(erased.word(7170), quint16(30));
        QCOMPARE(erased.word(7168), quint16(0x0800));
        QCOMPARE(erased.word(7162), quint16(63));
        QCOMPARE(erased.word(7084 + 2 * 3), quint16(1 << 3));
        QCOMPARE(erased.word(7084 + 2 * 7), quint16(0));
        QCOMPARE(erased.word(7052), quint16(0));
        QCOMPARE(erased.word(7116 + 2 * 5), quint16(0x2000));
        QCOMPARE(erased.word(6778), quint16(0x00F8));  // red progress
        QCOMPARE(erased.word(8156), quint16(0xE007));  // green new coins
        QCOMPARE(erased.word(8162), quint16(4));       // active background: Timer
        QCOMPARE(int(erased.model.nvRegion()[116] | erased.model.nvRegion()[117] << 8), 150);
        QCOMPARE(erased.word(6924), quint16(0xFFFF)); // signed delays have no default
        QCOMPARE(erased.word(7342 + 2), quint16(0xFFFF)); // line 1 of the operator view: white
        QCOMPARE(int(erased.model.image()[7342 + 7]), 2);  // centred
        QCOMPARE(erased.word(7342 + 8 * 3 + 4), quint16(120));
        // Line 1 default texts, packed from the image start in page order.
        QCOMPARE(erased.model.placements().isEmpty(), false);
        const QByteArray pool(reinterpret_cast<const char *>(erased.model.image()), 40);
        QVERIFY(pool.startsWith("OPERATOR\0OUT OF ORDER\0INSERT COIN\0INSERT COIN\0"));
        }

        Page20 kept(0x201, 0x0202, [](quint8 *image) {
            image[7170] = 55; image[7171] = 0;
            image[7084] = 0; image[7085] = 0;
            image[6778] = 0x1F; image[6779] = 0;
            image[8162] = 1; image[8163] = 0;
        });
        QCOMPARE(kept.word(7170), quint16(55));
        QCOMPARE(kept.word(7084), quint16(0));
        QCOMPARE(kept.word(6778), quint16(0x001F));
        QCOMPARE(kept.word(8162), quint16(1));
    }

    // An erased text among kept ones takes its default without moving the others' texts over
    // each other: the pool packs every text of the page, built or not.
    void erasedTextAmongKeptOnes()
    {
        // The page's texts in order, and the second one with a default of its own.
        QVector<quint32> words;
        QString erasedDefault;
        DevMarvek2_0 scratch;
        for (const auto &t : FactoryImage::giveErased(scratch.layout(), BoardFeatures{0x201, 0x0202},
                                                      scratch.image(), scratch.nvRegion())) {
            if (words.size() != 1 || !t.text.isEmpty())
                words.append(t.word);
            if (words.size() == 2 && erasedDefault.isEmpty())
                erasedDefault = t.text;
        }
        QVERIFY(words.size() > 3);
        QVERIFY(!erasedDefault.isEmpty());
        const auto setRef = [](quint8 *image, quint32 word, int text) {
            image[word] = quint8(word - quint32(text));
            image[word + 1] = quint8((word - quint32(text)) >> 8);
        };
        Page20 p(0x201, 0x0202, [&](quint8 *image) {
            memcpy(image, "A\0KEEP\0", 7);
            setRef(image, words[0], 0);
            setRef(image, words[2], 2); // words[1] stays erased
        });
        const TextPool &pool = TextPool::global();
        QCOMPARE(pool.text(p.model.image() + words[0]), QStringLiteral("A"));
        QCOMPARE(pool.text(p.model.image() + words[1]), erasedDefault);
        QCOMPARE(pool.text(p.model.image() + words[2]), QStringLiteral("KEEP"));
        QVERIFY(pool.records().size() > words.size());
    }

    void finishedImageAndHelp()
    {
        DeviceCfg::clearHelpTexts();
        Page20 p(0x201, 0x0202, [](quint8 *image) { memset(image + 8184, 0x5A, 8); });
        QCOMPARE(p.word(8180), quint16(0x8001)); // version 1, bit 15 left as it was
        for (int i = 8184; i < 8192; ++i)
            QCOMPARE(p.model.image()[i], quint8(0));
        QVERIFY(!DeviceCfg::helpMap().isEmpty());
        QVERIFY(!p.model.helpText(7170).startsWith(QLatin1String("No help")));
    }

    void nothingSentWhileBuilding()
    {
        FakeLink link;
        setCurrentLink(&link);
        Page20 p(0x242, 0xE202);
        QVERIFY(link.calls.isEmpty());
        setCurrentLink(nullptr);
    }

    // Each kind of editor sends its value's own bytes.
    void editorChangesReachTheBoard()
    {
        FakeLink link;
        Page20 p(0x242, 0xE202);
        setCurrentLink(&link);

        p.editorAt(7170)->findChild<QSpinBox *>()->setValue(45);
        QCOMPARE(link.calls.last(), (FakeLink::Call{"writeCfg", 7170, 2, le16(45)}));

        p.editorAt(0x8074)->findChild<QSpinBox *>()->setValue(300);
        QCOMPARE(link.calls.last(), (FakeLink::Call{"writeNvMem", 116, 2, le16(300)}));

        p.editorAt(7166)->findChildren<QAbstractButton *>().at(2)->click();
        QCOMPARE(link.calls.last(), (FakeLink::Call{"writeCfg", 7166, 2, le16(4)}));

        auto *inverter = p.editorAt<ParInverter>(6613 + 2);
        QVERIFY(inverter);
        inverter->findChild<QAbstractButton *>("Sqr")->click();
        QCOMPARE(link.calls.last().op, QByteArray("writeCfg"));
        QCOMPARE(link.calls.last().address, 6615);
        QCOMPARE(link.calls.last().length, 1);

        link.calls.clear();
        QDialog *dialog = p.editorAt<ParBitmaskButton>(7084 + 2)->openDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Select channels: program 2"));
        auto stages = dialog->findChildren<MultiStageButton *>();
        QCOMPARE(stages.size(), 16);
        stages.at(0)->click(); // relay 1: Turn OFF -> Turn ON
        QCOMPARE(link.calls.size(), 2);
        QCOMPARE(link.calls.at(0), (FakeLink::Call{"writeCfg", 7086, 2, le16(0x0003)}));
        QCOMPARE(link.calls.at(1), (FakeLink::Call{"writeCfg", 7054, 2, le16(0)}));
        dialog->close();

        p.editorAt<ParColor2>(6776)->col1Change(Qt::red);
        QCOMPARE(link.calls.last(), (FakeLink::Call{"writeCfg", 6778, 2, le16(0x00F8)}));

        auto *mode = p.editorAt(8148)->findChild<QComboBox *>("mode");
        mode->setCurrentIndex(0); // Solid
        QCOMPARE(link.calls.last().address, 8148);
        QCOMPARE(link.calls.last().length, 6);
        QCOMPARE(p.word(8148), quint16(1));
        setCurrentLink(nullptr);
    }

    // Texts: a view line's fields are sent alone; a changed name repacks the pool, which is
    // sent as the used prefix of the image and then every reference that moved.
    void textChangesReachTheBoard()
    {
        struct TextHost : RecordingHost
        {
            QList<int> texts;
            void updateTexts(int count) override
            {
                texts.append(count);
                DeviceCfg::current()->writeTexts(progress(), count);
            }
        } textHost;
        FakeLink link;
        Page20 p(0x201, 0x0202);
        setCurrentLink(&link);

        auto *line = p.editorAt<ParText>(7342 + 8);
        QVERIFY(line);
        line->findChild<QComboBox *>("align")->setCurrentIndex(0); // Align left
        // Sent as the font and alignment word, inside the record.
        QCOMPARE(link.calls.last(), (FakeLink::Call{"writeCfg", 7342 + 8 + 6, 2,
                                                    QByteArray(reinterpret_cast<const char *>(p.model.image()) + 7356, 2)}));
        QCOMPARE(int(p.model.image()[7357]), 1);
        line->colChange(Qt::red);
        QCOMPARE(link.calls.last(), (FakeLink::Call{"writeCfg", 7352, 2, le16(0x00F8)}));

        link.calls.clear();
        auto *edit = p.editorAt(6860)->findChild<QLineEdit *>();
        edit->setText(QStringLiteral("Foam"));
        edit->setModified(true);
        Q_EMIT edit->editingFinished();
        // "Foam" comes first (the name was made before the view lines), the rest moves up by 5.
        const int used = 5 + 9 + 13 + 4 * 12;
        QCOMPARE(textHost.texts, QList<int>{used});
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(p.model.image()), 14), QByteArray("Foam\0OPERATOR\0", 14));
        QCOMPARE(link.calls.first(), (FakeLink::Call{"writeCfg", 0, 60,
                                                     QByteArray(reinterpret_cast<const char *>(p.model.image()), 60)}));
        QCOMPARE(link.calls.at(1).address, 60);
        QCOMPARE(link.calls.at(1).length, used - 60);
        QCOMPARE(link.calls.at(2), (FakeLink::Call{"writeCfg", 6860, 2, le16(6860)}));
        QCOMPARE(link.calls.at(3), (FakeLink::Call{"writeCfg", 7342, 2, le16(7342 - 5)}));
        QCOMPARE(link.calls.size(), 2 + 1 + 6); // prefix, the name, the six line 1 texts
        setCurrentLink(nullptr);
    }
};

QTEST_MAIN(TestMarvek2_0Page)
#include "test_marvek2_0_page.moc"
