// Which generation a dump belongs to: every generation's factory image and an edited one are
// told from every other model's, naming the generation; sound dumps of a model, odd values
// included, are never taken for another's. The factory images follow the page.
#include "devices/factoryimage.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/fixedgenerations.h"
#include "devices/imagefit.h"
#include "editors/rgb565.h"
#include <QWidget>
#include <cstring>
#include <QtTest>

using namespace FixedTable;

namespace {

const FixedGeneration &generation(int g) { return FixedGenerations::all().at(g); }
uint newest(int g) { return uint(generation(g).word0) << 16 | generation(g).word2; }

// A dump of generation g written by a board with the words (word0 << 16 | word2): its factory
// image with the values the change picks set within what the page allows, resealed. "edited" is
// a technician's configuration: every value changed, texts on the names and the view lines.
QByteArray dump(const FixedGeneration &g, uint words, const QString &change)
{
    const BoardFeatures board{quint16(words >> 16), quint16(words)};
    QByteArray bytes = FactoryImage::make(*g.layout, board.word0, g.word1, board.word2).image;
    auto *img = reinterpret_cast<quint8 *>(bytes.data());
    const BitLists lists = g.layout->bitLists(board);
    const bool edit = change == QLatin1String("edited"), min = change == QLatin1String("min"),
               max = change == QLatin1String("max"), erase = change == QLatin1String("erased texts");
    QVector<FixedImage::Text> texts;
    int i = 0;
    for (const Value &v : pageValues(g.layout->table(), board)) {
        const Row &row = *v.row;
        const int a = int(v.address()), pick = edit ? i++ % 4 : max;
        const int spread[] = {row.min, row.max, (row.min + row.max) / 2, row.min + 1};
        quint16 bits = 0;
        for (quint16 m : (row.bits == Bits::Buttons ? lists.buttons : lists.relays).masks)
            bits |= (i % 3 || max ? m : 0);
        const bool mask = row.editor == Editor::Mask && (row.bits == Bits::Buttons || row.bits == Bits::Relays);
        if (a & 0x8000)
            continue;
        if ((edit || min || max) && (row.editor == Editor::Slider || row.editor == Editor::SignedSlider))
            FixedImage::setWord16(img, a, quint16(spread[pick]));
        else if ((edit || min || max) && row.editor == Editor::SliderByte)
            img[a] = quint8(spread[pick]);
        else if ((edit || max) && mask)
            FixedImage::setWord16(img, a, bits);
        else if (edit && row.editor == Editor::Colors)
            FixedImage::setWord16(img, a, Rgb565::fromRgb(40 * pick, 200, 90));
        else if (edit && row.editor == Editor::Background)
            FixedImage::setWord16(img, a, 1);
        else if (edit && (row.editor == Editor::ViewLine || row.editor == Editor::Name))
            texts.append({a, pick == 3 ? QByteArray() : QByteArray("Wash ") + QByteArray::number(i)});
        else if (erase && (row.editor == Editor::Name || row.editor == Editor::ViewLine))
            memset(img + a, 0xFF, size_t(row.size()));
        else if (change == QLatin1String("negative delays") && row.editor == Editor::SignedSlider)
            FixedImage::setWord16(img, a, quint16(-1 - (a % 1800)));
        else if (change == QLatin1String("costs") && row.label && QByteArray(row.label).startsWith("Cost for"))
            FixedImage::setWord16(img, a, quint16(3601 + a % 6400));
        if (edit && row.editor == Editor::ViewLine) {
            img[a + 6] = quint8(pick % 3);
            img[a + 7] = quint8(1 + pick % 3);
        }
    }
    FixedImage::packTexts(img, *g.layout, texts);
    if (erase)
        memset(img + g.layout->textBase, 0xFF, size_t(g.layout->textSize));
    FixedImage::seal(img, *g.layout);
    return bytes;
}

// What a model of generation g on the board with these words makes of the image.
DumpOrigin judged(const FixedGeneration &g, uint words, const QByteArray &image)
{
    FixedLayoutModel model(*g.layout, nullptr);
    model.word0 = quint16(words >> 16);
    model.word2 = quint16(words);
    return judgeDump(model, reinterpret_cast<const quint8 *>(image.constData()));
}

} // namespace

class TestDumpOrigin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void generationsAreTold_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("board");
        for (int f = 0; f < FixedGenerations::all().size(); ++f)
            for (bool e : {false, true})
                for (int b = 0; b < FixedGenerations::all().size(); ++b)
                    QTest::addRow("%s %s on %s", generation(f).board, e ? "edited" : "factory", generation(b).board)
                        << f << e << b;
    }
    void generationsAreTold()
    {
        QFETCH(int, file);
        QFETCH(bool, edit);
        QFETCH(int, board);
        const DumpOrigin origin = judged(generation(board), newest(board),
                                         dump(generation(file), newest(file), edit ? "edited" : "none"));
        QCOMPARE(origin.looksLike, file == board ? QString() : FixedGenerations::title(*generation(file).layout));
    }

    // The factory image made from the table alone is what the page gives an erased board, and
    // the table's walk meets the page's editors in the page's order.
    void factoryFollowsThePage_data()
    {
        QTest::addColumn<int>("gen");
        QTest::addColumn<uint>("words");
        for (int g = 0; g < FixedGenerations::all().size(); ++g)
            QTest::addRow("%s", generation(g).board) << g << newest(g);
        QTest::newRow("1.1 first hardware") << 0 << 0x01010202u;
        QTest::newRow("2.0 plain, older firmware") << 1 << 0x02000201u;
        QTest::newRow("2.0 extra boards, two inverters") << 1 << 0x0242F202u;
        QTest::newRow("3.0 by time") << 2 << 0x03010201u;
        QTest::newRow("3.0 autostart") << 2 << 0x03030201u;
        QTest::newRow("tokmat first hardware") << 3 << 0x01000300u;
    }
    void factoryFollowsThePage()
    {
        QFETCH(int, gen);
        QFETCH(uint, words);
        const FixedGeneration &g = generation(gen);
        FixedLayoutModel model(*g.layout, nullptr);
        model.word0 = quint16(words >> 16);
        model.word2 = quint16(words);
        DeviceCfg::setCurrent(&model);
        {
            QWidget container;
            model.buildPage(&container);
            QVector<quint32> placed, walked;
            for (const auto &p : model.placements())
                placed << p.address;
            for (const Value &v : pageValues(g.layout->table(), model.board()))
                walked << v.address();
            QCOMPARE(walked, placed);
        }
        DeviceCfg::setCurrent(nullptr);
        const FactoryImage::Defaults factory = FactoryImage::make(*g.layout, model.word0, model.word1, model.word2);
        FixedImage::seal(model.image(), *g.layout);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(model.image()), FixedImage::Size), factory.image);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(model.nvRegion()), FixedLayoutModel::NvSize), factory.nv);
    }

    // A dump of the model itself is never taken for another generation's: values at their
    // limits, negative delays, costs above an hour, erased texts, a board of another variant.
    void soundDumpsAreTheModels_data()
    {
        QTest::addColumn<int>("gen");
        QTest::addColumn<QString>("change");
        QTest::addColumn<uint>("fileWords");
        QTest::addColumn<uint>("boardWords");
        for (int g = 0; g < FixedGenerations::all().size(); ++g)
            for (const char *change : {"min", "max", "erased texts", "edited"})
                QTest::addRow("%s %s", generation(g).board, change) << g << change << newest(g) << newest(g);
        QTest::newRow("1.1 negative delays") << 0 << "negative delays" << 0x01030202u << 0x01030202u;
        QTest::newRow("1.1 negative delays on an older board") << 0 << "negative delays" << 0x01030202u << 0x01010202u;
        QTest::newRow("1.1 of an older board") << 0 << "max" << 0x01010202u << 0x01030202u;
        QTest::newRow("2.0 of a plain board") << 1 << "max" << 0x02010201u << 0x02429202u;
        QTest::newRow("2.0 on a plain board") << 1 << "min" << 0x0242F202u << 0x02000201u;
        QTest::newRow("2.0 negative delays") << 1 << "negative delays" << 0x02429202u << 0x02429202u;
        QTest::newRow("3.0 drying costs above an hour") << 2 << "costs" << 0x03040201u << 0x03040201u;
        QTest::newRow("3.0 costs on a board that sells by time") << 2 << "costs" << 0x03040201u << 0x03010201u;
        QTest::newRow("tokmat of the first hardware") << 3 << "min" << 0x01000300u << 0x03000300u;
    }
    void soundDumpsAreTheModels()
    {
        QFETCH(int, gen);
        QFETCH(QString, change);
        QFETCH(uint, fileWords);
        QFETCH(uint, boardWords);
        const DumpOrigin origin = judged(generation(gen), boardWords, dump(generation(gen), fileWords, change));
        QVERIFY2(!origin.foreign(), qPrintable(origin.describe()));
    }
};

QTEST_MAIN(TestDumpOrigin)
#include "test_dumporigin.moc"
