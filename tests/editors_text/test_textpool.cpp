// The text pool: packing in registration order in both directions, repacking after an edit,
// what is sent to the board and in which order, overflow, and reading damaged references.
#include "editors/textpool.h"
#include "devices/devicecfg.h"
#include "fakelink.h"
#include "recordinghost.h"
#include "scriptedprompt.h"
#include <QLineEdit>
#include <QtEndian>
#include <QtTest>
#include <memory>
#include <vector>

namespace {

// Records the prefix write in the link's call list, so its order against the word writes shows.
class TextHost : public RecordingHost
{
public:
    explicit TextHost(FakeLink *link) : m_link(link) {}
    void updateTexts(int count) override { m_link->calls.append({"updateTexts", 0, count, {}}); }

private:
    FakeLink *m_link;
};

struct Fixture
{
    Fixture() : image(8192, char(0xff)), host(&link) { setCurrentLink(&link); }
    ~Fixture()
    {
        for (auto &r : records)
            pool.remove(r.get());
        setCurrentLink(nullptr);
    }

    quint8 *at(int address) { return reinterpret_cast<quint8 *>(image.data()) + address; }
    quint16 word(int address) { return qFromLittleEndian<quint16>(at(address)); }
    QByteArray bytes(int address, int n) { return image.mid(address, n); }

    // A registered record for the word at address whose line edit holds text.
    // attached: as if the record had been loaded into its line edit already.
    TextRecord *add(int address, const QString &text, bool attached = true)
    {
        records.push_back(std::make_unique<TextRecord>());
        TextRecord *r = records.back().get();
        r->word = at(address);
        pool.add(r);
        edits.push_back(std::make_unique<QLineEdit>(text));
        if (attached)
            r->edit = edits.back().get();
        return r;
    }
    QLineEdit *edit(int i) { return edits.at(size_t(i)).get(); }
    TextRecord *record(int i) { return records.at(size_t(i)).get(); }
    // Stores every record once while a page is built, so nothing is sent.
    void storeAllQuietly()
    {
        PageBuildGuard building;
        for (size_t i = 0; i < records.size(); ++i)
            pool.store(records[i].get(), edits[i].get());
    }

    QByteArray image;
    FakeLink link;
    TextHost host;
    ScriptedPrompt prompt;
    TextPool pool;
    std::vector<std::unique_ptr<TextRecord>> records;
    std::vector<std::unique_ptr<QLineEdit>> edits;
};

} // namespace

class TestTextPool : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void downwardDistanceOfFirstText()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.add(6860, QString());       // empty texts come first in registration order
        f.add(6788, QStringLiteral("Wash-7"));
        f.add(6790, QStringLiteral("secret"));
        f.storeAllQuietly();
        QCOMPARE(int(f.word(6860)), 0);
        QCOMPARE(int(f.word(6788)), 6788);
        QCOMPARE(f.bytes(0, 7), QByteArray("Wash-7\0", 7));
        QCOMPARE(int(f.word(6790)), 6790 - 7);
        QCOMPARE(f.bytes(7, 7), QByteArray("secret\0", 7));
        QCOMPARE(f.pool.used(), 14);
        QVERIFY(f.link.calls.isEmpty());
        QCOMPARE(f.pool.text(f.at(6790)), QStringLiteral("secret"));
    }

    void clearingFirstMovesTheOthersDown()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.add(6788, QStringLiteral("abc"));
        f.add(6790, QStringLiteral("de"));
        f.add(6792, QStringLiteral("f"));
        f.add(6794, QString());
        f.storeAllQuietly();
        QCOMPARE(f.bytes(0, 9), QByteArray("abc\0de\0f\0", 9));

        f.edit(0)->clear();
        f.pool.store(f.record(0), f.edit(0));
        QCOMPARE(f.bytes(0, 5), QByteArray("de\0f\0", 5));
        QCOMPARE(int(f.word(6788)), 0);
        QCOMPARE(int(f.word(6790)), 6790);
        QCOMPARE(int(f.word(6792)), 6792 - 3);
        QCOMPARE(int(f.word(6794)), 0);

        // The used prefix first, then each reference that changed; the unchanged one is not sent.
        QCOMPARE(f.link.calls.size(), 4);
        QCOMPARE(f.link.calls.at(0).op, QByteArray("updateTexts"));
        QCOMPARE(f.link.calls.at(0).length, 5);
        const int expected[] = {6788, 6790, 6792};
        for (int i = 0; i < 3; ++i) {
            const FakeLink::Call &c = f.link.calls.at(i + 1);
            QCOMPARE(c.op, QByteArray("writeCfg"));
            QCOMPARE(c.address, expected[i]);
            QCOMPARE(c.length, 2);
            QCOMPARE(c.data, f.bytes(expected[i], 2));
        }
    }

    void editKeepingPlaceSendsOnlyThePrefix()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.add(6788, QStringLiteral("abc"));
        f.add(6790, QStringLiteral("de"));
        f.storeAllQuietly();
        f.edit(1)->setText(QStringLiteral("defgh"));
        f.pool.store(f.record(1), f.edit(1));
        QCOMPARE(f.link.calls.size(), 1);
        QCOMPARE(f.link.calls.at(0).op, QByteArray("updateTexts"));
        QCOMPARE(f.link.calls.at(0).length, 10);
        QCOMPARE(f.pool.text(f.at(6790)), QStringLiteral("defgh"));
    }

    void nothingSentWhileAPageIsBuilt()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.add(6788, QStringLiteral("abc"));
        f.storeAllQuietly();
        QVERIFY(f.link.calls.isEmpty());
        QCOMPARE(int(f.word(6788)), 6788);
    }

    void overflowStoresEmptyAndGoesOn()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 12);
        f.add(100, QStringLiteral("12345678"));  // 9 bytes, 3 left
        f.add(102, QStringLiteral("abcd"));      // 5 bytes: does not fit
        f.add(104, QStringLiteral("xy"));        // 3 bytes: fits exactly
        f.add(106, QStringLiteral("z"));         // nothing left
        f.pool.store(f.record(3), f.edit(3));
        QCOMPARE(int(f.word(100)), 100);
        QCOMPARE(int(f.word(102)), 0);
        QCOMPARE(int(f.word(104)), 104 - 9);
        QCOMPARE(int(f.word(106)), 0);
        QCOMPARE(f.bytes(0, 12), QByteArray("12345678\0xy\0", 12));
        QCOMPARE(f.bytes(12, 1), QByteArray(1, char(0xff)));  // nothing past the pool
        QCOMPARE(f.prompt.messages.size(), 2);
        for (const auto &m : f.prompt.messages) {
            QCOMPARE(m.icon, Prompt::Icon::Critical);
            QCOMPARE(m.title, QStringLiteral("No space"));
            QCOMPARE(m.text, QStringLiteral("Text buffer overflow"));
        }
        QCOMPARE(f.link.calls.at(0).length, 12);
    }

    void upwardLayouts_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("word0");
        QTest::addColumn<int>("word1");
        QTest::newRow("1.1 program names") << 834 << 8029 << 708 << 716;
        QTest::newRow("Tokmat view lines") << 922 << 8087 << 104 << 398;
        QTest::newRow("word above the pool") << 922 << 8087 << 100 << 8088;
    }
    void upwardLayouts()
    {
        QFETCH(int, base);
        QFETCH(int, end);
        QFETCH(int, word0);
        QFETCH(int, word1);
        Fixture f;
        f.pool.setUpward(f.at(0), base, end);
        QCOMPARE(f.pool.size(), end - base + 1);
        QCOMPARE(f.pool.direction(), TextPool::Direction::Up);
        f.add(word0, QStringLiteral("Program 1"));
        f.add(word1, QStringLiteral("Ж"));  // two UTF-8 bytes
        f.storeAllQuietly();
        QCOMPARE(int(f.word(word0)), base - word0);
        QCOMPARE(f.bytes(base, 10), QByteArray("Program 1\0", 10));
        QCOMPARE(int(quint16(f.word(word1))), int(quint16(base + 10 - word1)));
        QCOMPARE(f.bytes(base + 10, 3), QByteArray("\xd0\x96\0", 3));
        QCOMPARE(f.pool.text(f.at(word0)), QStringLiteral("Program 1"));
        QCOMPARE(f.pool.text(f.at(word1)), QStringLiteral("Ж"));
        QCOMPARE(f.pool.used(), 13);
    }

    void upwardPoolFillsToItsEnd()
    {
        Fixture f;
        f.pool.setUpward(f.at(0), 834, 8029);
        f.add(708, QString(7195, QLatin1Char('a')));  // exactly the pool with its NUL
        f.add(716, QStringLiteral("b"));
        f.pool.store(f.record(1), f.edit(1));
        QCOMPARE(int(f.word(708)), 126);
        QCOMPARE(int(f.image.at(8029)), 0);
        QCOMPARE(int(f.word(716)), 0);
        QCOMPARE(f.prompt.messages.size(), 1);
        QCOMPARE(quint8(f.image.at(8030)), quint8(0xff));
        QCOMPARE(f.link.calls.at(0).length, 7196);
    }

    void geometryFromSize()
    {
        Fixture f;
        f.pool.setGeometry(f.at(0), 922, 7166, TextPool::Direction::Up);
        QCOMPARE(f.pool.base(), 922);
        QCOMPARE(f.pool.size(), 7166);
        f.pool.setGeometry(f.at(0), 0, 6988, TextPool::Direction::Down);
        QCOMPARE(f.pool.size(), 6988);
        QCOMPARE(f.pool.direction(), TextPool::Direction::Down);
    }

    void removedRecordIsNotPacked()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.add(6788, QStringLiteral("gone"));
        f.add(6790, QStringLiteral("kept"));
        f.storeAllQuietly();
        f.pool.remove(f.record(0));
        f.pool.store(f.record(1), f.edit(1));
        QCOMPARE(int(f.word(6790)), 6790);
        QCOMPARE(f.bytes(0, 5), QByteArray("kept\0", 5));
        QCOMPARE(f.pool.records().size(), 1);
    }

    void recordWithoutLineEditBecomesEmpty()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.add(6788, QStringLiteral("never attached"), false);
        f.add(6790, QStringLiteral("x"));
        PageBuildGuard building;
        f.pool.store(f.record(1), f.edit(1));
        QCOMPARE(int(f.word(6788)), 0);
        QCOMPARE(int(f.word(6790)), 6790);
    }

    // The page's records are the pool's own: one without a line edit (its editor not built)
    // keeps its text when another is stored, even where the packing moves it.
    void pageTextsKeepTheirTextsWithoutEditors()
    {
        Fixture f;
        f.pool.setDownward(f.at(0), 0, 6540);
        f.pool.setPageTexts({f.at(6788), f.at(6790), f.at(6792)});
        {
            PageBuildGuard building;
            f.pool.store({{f.pool.recordOf(f.at(6788)), QStringLiteral("abc")},
                          {f.pool.recordOf(f.at(6790)), QStringLiteral("de")},
                          {f.pool.recordOf(f.at(6792)), QStringLiteral("f")}});
        }
        QCOMPARE(f.bytes(0, 9), QByteArray("abc\0de\0f\0", 9));
        QLineEdit first(QStringLiteral("a"));
        f.pool.store(f.pool.recordOf(f.at(6788)), &first);
        QCOMPARE(f.bytes(0, 7), QByteArray("a\0de\0f\0", 7));
        QCOMPARE(f.pool.text(f.at(6790)), QStringLiteral("de"));
        QCOMPARE(f.pool.text(f.at(6792)), QStringLiteral("f"));
        // An editor that goes lets go of its record, which keeps the text.
        f.pool.detach(&first);
        QCOMPARE(f.pool.recordOf(f.at(6788))->edit, nullptr);
        f.pool.setPageTexts({});
        QVERIFY(f.pool.records().isEmpty());
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("pool");
        QTest::addColumn<int>("reference");
        QTest::addColumn<QString>("expected");
        const QByteArray hello("hello\0rest\0", 11);
        QTest::newRow("text") << hello << 100 << QStringLiteral("hello");
        QTest::newRow("zero") << hello << 0 << QString();
        QTest::newRow("erased") << hello << 0xffff << QString();
        QTest::newRow("second text") << hello << 94 << QStringLiteral("rest");
        QTest::newRow("below the pool") << hello << 101 << QString();
        QTest::newRow("above the pool") << hello << 50 << QString();
        // Without a NUL the text ends with the pool.
        QTest::newRow("unterminated") << QByteArray(16, 'q') << 100 << QString(16, QLatin1Char('q'));
    }
    void load()
    {
        QFETCH(QByteArray, pool);
        QFETCH(int, reference);
        QFETCH(QString, expected);
        Fixture f;
        f.image.replace(0, pool.size(), pool);
        f.image[16] = 'X';  // the byte right after the pool
        f.pool.setDownward(f.at(0), 0, 16);
        qToLittleEndian<quint16>(quint16(reference), f.at(100));
        TextRecord *r = f.add(100, QStringLiteral("old"));
        f.pool.load(r, f.edit(0));
        QCOMPARE(r->edit, f.edit(0));
        QCOMPARE(f.edit(0)->text(), expected);
        QVERIFY(f.link.calls.isEmpty());
    }
};

QTEST_MAIN(TestTextPool)
#include "test_textpool.moc"
