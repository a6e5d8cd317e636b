// The text editors: ParStr sends only real edits, the ParViewText16 line box follows the font
// size, and ParText stores its fields by key and keeps its text in the pool.
#include "editors/parstr.h"
#include "editors/partext.h"
#include "editors/parviewtext16.h"
#include "editors/qtcolorpicker.h"
#include "fakelink.h"
#include "recordinghost.h"
#include "scriptedprompt.h"
#include "testmodel.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtEndian>
#include <QtTest>

namespace {

class TextHost : public RecordingHost
{
public:
    explicit TextHost(FakeLink *link) : m_link(link) {}
    void updateTexts(int count) override { m_link->calls.append({"updateTexts", 0, count, {}}); }

private:
    FakeLink *m_link;
};

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Types into a line edit and leaves it, as the user does.
void type(QLineEdit *edit, const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(edit, c.toLatin1());
    Q_EMIT edit->editingFinished();
}

// Types a text into an editor's line edit while the page is built: packed, nothing sent.
void give(ParText &editor, const QString &text)
{
    PageBuildGuard building;
    QLineEdit *edit = editor.findChild<QLineEdit *>(QStringLiteral("lineEdit"));
    if (!edit)
        edit = editor.findChild<QLineEdit *>(QStringLiteral("pgName"));
    edit->setText(text);
    edit->setModified(true);
    Q_EMIT edit->editingFinished();
}

QList<QComboBox *> boxes(QWidget *w, const char *name)
{
    return w->findChildren<QComboBox *>(QLatin1String(name));
}

} // namespace

class TestTextEditors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_link = new FakeLink;
        setCurrentLink(m_link);
        m_host = new TextHost(m_link);
        m_prompt = new ScriptedPrompt;
        m_model = new TestModel(QStringLiteral("t"), 0, 0, 0);
        m_model->bytes = QByteArray(8192, char(0xff));
        DeviceCfg::setCurrent(m_model);
        TextPool::global().setDownward(m_model->image(), 0, 6540);
    }
    void cleanup()
    {
        TextPool::global().setDownward(nullptr, 0, 0);
        delete m_model;
        delete m_prompt;
        delete m_host;
        setCurrentLink(nullptr);
        delete m_link;
    }

    // ParStr

    void strSendsOnlyEdits()
    {
        CfgParString par;
        par.attach(Uid::make(1, Uid::TypeStr, 0x401));
        par.value().setText(QStringLiteral("Wash"));
        ParStr editor(nullptr, &par);
        auto *edit = editor.findChild<QLineEdit *>("lineEdit");
        QCOMPARE(edit->text(), QStringLiteral("Wash"));
        QTest::keyClick(edit, Qt::Key_Return);
        Q_EMIT edit->editingFinished();
        QVERIFY(m_model->changes.isEmpty());
        edit->end(false);
        type(edit, QStringLiteral("y"));
        QCOMPARE(par.value().toString(), QStringLiteral("Washy"));
        QCOMPARE(m_model->changes.size(), 1);
        QCOMPARE(m_model->changes.at(0), qMakePair(par.uid(), 0));
        Q_EMIT edit->editingFinished();
        QCOMPARE(m_model->changes.size(), 1);
        par.value().setText(QStringLiteral("Б"));
        editor.refresh();
        QCOMPARE(edit->text(), QStringLiteral("Б"));
    }

    // ParViewText16

    void viewLineShowsItsFlags()
    {
        CfgParViewText16 par;
        par.attach(Uid::make(1, Uid::TypeViewText16, 0x402));
        ParViewText16 editor(nullptr, &par);
        const QComboBox *font = boxes(&editor, "font").at(0);
        const QComboBox *align = boxes(&editor, "align").at(0);
        const QComboBox *line = boxes(&editor, "line").at(0);
        QCOMPARE(boxes(&editor, "font").size(), 16);
        QCOMPARE(font->currentText(), QStringLiteral("Size 1/8"));
        QCOMPARE(align->currentText(), QStringLiteral("Align center"));
        QCOMPARE(entries(line), (QStringList{"Line 1", "Line 2", "Line 3", "Line 4", "Line 5", "Line 6",
                                             "Line 7", "Line 8"}));
        QCOMPARE(line->currentIndex(), 0);
        QCOMPARE(editor.findChildren<QtColorPicker *>().size(), 16);
        QVERIFY(m_model->changes.isEmpty());
    }

    void choosingALineSetsThePosition()
    {
        CfgParViewText16 par;
        par.attach(Uid::make(1, Uid::TypeViewText16, 0x403));
        ParViewText16 editor(nullptr, &par);
        QComboBox *line = boxes(&editor, "line").at(3);
        line->setCurrentIndex(2);
        QCOMPARE(par.at(3).position, quint16(80));
        QCOMPARE(editor.findChildren<QSpinBox *>().at(3)->value(), 80);
        QCOMPARE(m_model->changes.size(), 1);
        QCOMPARE(m_model->changes.at(0), qMakePair(par.uid(), 0));
        QCOMPARE(par.at(2).position, quint16(0));
    }

    void lineBoxPerFontSize_data()
    {
        QTest::addColumn<int>("fontEntry");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("current");
        QTest::newRow("1/4 at 60") << 0 << 0x20 << 60 << 4 << -1;
        QTest::newRow("1/4 at 240") << 0 << 0x20 << 240 << 4 << 3;
        QTest::newRow("1/8 at 120") << 1 << 0x30 << 120 << 8 << 3;
        QTest::newRow("1/16 at 60") << 2 << 0x40 << 60 << 16 << 3;
        QTest::newRow("1/16 at 300") << 2 << 0x40 << 300 << 16 << 15;
        QTest::newRow("1/16 at 320") << 2 << 0x40 << 320 << 16 << -1;
    }
    void lineBoxPerFontSize()
    {
        QFETCH(int, fontEntry);
        QFETCH(int, code);
        QFETCH(int, position);
        QFETCH(int, lines);
        QFETCH(int, current);
        CfgParViewText16 par;
        par.attach(Uid::make(1, Uid::TypeViewText16, 0x404));
        par.at(5).position = quint16(position);
        par.at(5).flags = 0x0083 | 0x30;  // right aligned, size 1/8, a bit the editor keeps
        ParViewText16 editor(nullptr, &par);
        boxes(&editor, "font").at(5)->setCurrentIndex(fontEntry);
        QCOMPARE(par.at(5).flags, quint16(0x0083 | code));
        const QComboBox *line = boxes(&editor, "line").at(5);
        QCOMPARE(line->count(), lines);
        QCOMPARE(line->itemText(lines - 1), QStringLiteral("Line %1").arg(lines));
        QCOMPARE(line->currentIndex(), current);
        QCOMPARE(par.at(5).position, quint16(position));
    }

    void viewLineFields()
    {
        CfgParViewText16 par;
        par.attach(Uid::make(1, Uid::TypeViewText16, 0x405));
        ParViewText16 editor(nullptr, &par);
        editor.findChildren<QtColorPicker *>().at(7)->setCurrentColor(QColor(255, 0, 0));
        QCOMPARE(par.at(7).colour, quint16(0x00F8));
        boxes(&editor, "align").at(7)->setCurrentIndex(0);
        QCOMPARE(par.at(7).flags, quint16(0x31));
        QLineEdit *edit = nullptr;
        for (QLineEdit *e : editor.findChildren<QLineEdit *>())
            if (e->property("id").toInt() == 7 && !qobject_cast<QSpinBox *>(e->parent()))
                edit = e;
        QVERIFY(edit);
        type(edit, QStringLiteral("HI"));
        QCOMPARE(par.at(7).text.toString(), QStringLiteral("HI"));
        QCOMPARE(m_model->changes.size(), 3);

        par.at(7).position = 40;
        par.at(7).flags = 0x20 | 3;
        editor.refresh();
        QCOMPARE(boxes(&editor, "font").at(7)->currentText(), QStringLiteral("Size 1/4"));
        QCOMPARE(boxes(&editor, "align").at(7)->currentText(), QStringLiteral("Align right"));
        QCOMPARE(boxes(&editor, "line").at(7)->count(), 4);
        QCOMPARE(boxes(&editor, "line").at(7)->currentIndex(), -1);
        QCOMPARE(m_model->changes.size(), 3);
    }

    // ParText

    void erasedRecordKeptAsItIs()
    {
        quint8 *img = m_model->image();
        {
            ParText editor(nullptr, m_model, 7000, ParText::Form::ViewLine);
            QVERIFY(editor.findChild<QLineEdit *>("lineEdit")->text().isEmpty());
            QCOMPARE(editor.findChild<QComboBox *>("font")->currentIndex(), -1);
            QCOMPARE(editor.findChild<QComboBox *>("align")->currentIndex(), -1);
        }
        // Making it wrote nothing: the page gives an erased record its defaults.
        QCOMPARE(m_model->bytes, QByteArray(8192, char(0xff)));
        QVERIFY(TextPool::global().records().isEmpty());
        QVERIFY(m_link->calls.isEmpty());
        QVERIFY(m_model->changes.isEmpty());
        // A record that holds a line shows it.
        ParText again(nullptr, m_model, 7000, ParText::Form::ViewLine);
        give(again, QStringLiteral("READY"));
        QCOMPARE(qFromLittleEndian<quint16>(img + 7000), quint16(7000));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(img), 6), QByteArray("READY\0", 6));
        ParText shown(nullptr, m_model, 7000, ParText::Form::ViewLine);
        QCOMPARE(shown.findChild<QLineEdit *>("lineEdit")->text(), QStringLiteral("READY"));
    }

    void viewLineFieldsStoreAndNotify()
    {
        quint8 *img = m_model->image();
        qToLittleEndian<quint16>(0, img + 7104);
        img[7106] = 0;
        img[7107] = 1;
        ParText editor(nullptr, m_model, 7100, ParText::Form::ViewLine);
        editor.findChild<QtColorPicker *>("col")->setCurrentColor(QColor(255, 0, 0));
        QCOMPARE(qFromLittleEndian<quint16>(img + 7102), quint16(0x00F8));
        auto *font = editor.findChild<QComboBox *>("font");
        auto *lines = editor.findChild<QComboBox *>("yposCombo");
        QCOMPARE(lines->count(), 16);
        font->setCurrentIndex(2);
        QCOMPARE(int(img[7106]), 2);
        QCOMPARE(lines->count(), 4);
        lines->setCurrentIndex(3);
        QCOMPARE(qFromLittleEndian<quint16>(img + 7104), quint16(240));
        editor.findChild<QComboBox *>("align")->setCurrentIndex(2);
        QCOMPARE(int(img[7107]), 3);
        const QVector<QPair<quint32, int>> expected{{7102, 2}, {7106, 2}, {7104, 2}, {7106, 2}};
        QCOMPARE(m_model->changes, expected);
        // Nothing outside the record was touched.
        QCOMPARE(quint8(img[7108]), quint8(0xff));
    }

    void programNameForm()
    {
        quint8 *img = m_model->image();
        QWidget compact;
        compact.setProperty("hideTitle", true);
        PageBuildGuard building;
        auto *name = new ParText(&compact, m_model, 6860, ParText::Form::Name);
        give(*name, QStringLiteral("Foam"));
        QCOMPARE(name->findChild<QLineEdit *>("pgName")->text(), QStringLiteral("Foam"));
        QVERIFY(name->findChild<QLabel *>("label")->isHidden());
        QVERIFY(name->findChild<QComboBox *>("font")->isHidden());
        QVERIFY(name->findChild<QtColorPicker *>("col")->isHidden());
        QVERIFY(name->findChild<QSpinBox *>("yposSpin")->isHidden());
        QVERIFY(name->findChild<QLabel *>("label")->text().startsWith(QStringLiteral("Parameter 6860")));
        // Only the reference word belongs to this form.
        QCOMPARE(quint8(img[6862]), quint8(0xff));

        ParText titled(nullptr, m_model, 6862, ParText::Form::Name);
        QVERIFY(!titled.findChild<QLabel *>("label")->isHidden());
        QVERIFY(titled.findChild<QLineEdit *>("lineEdit"));
        give(titled, QString());
        QCOMPARE(qFromLittleEndian<quint16>(img + 6862), quint16(0));
    }

    void firstTextGetsItsOwnAddress()
    {
        quint8 *img = m_model->image();
        PageBuildGuard building;
        ParText empty(nullptr, m_model, 6900, ParText::Form::Name);
        ParText ssid(nullptr, m_model, 6788, ParText::Form::Name);
        give(empty, QString());
        give(ssid, QStringLiteral("wash-net"));
        QCOMPARE(qFromLittleEndian<quint16>(img + 6788), quint16(6788));
    }

    void clearingFirstNameMovesTheOthers()
    {
        quint8 *img = m_model->image();
        ParText a(nullptr, m_model, 6788, ParText::Form::Name);
        ParText b(nullptr, m_model, 6790, ParText::Form::Name);
        ParText c(nullptr, m_model, 6792, ParText::Form::Name);
        give(a, QStringLiteral("abc"));
        give(b, QStringLiteral("de"));
        give(c, QStringLiteral("f"));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(img), 9), QByteArray("abc\0de\0f\0", 9));
        QLineEdit *edit = a.findChild<QLineEdit *>("lineEdit");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        Q_EMIT edit->editingFinished();
        QCOMPARE(QByteArray(reinterpret_cast<char *>(img), 5), QByteArray("de\0f\0", 5));
        QCOMPARE(qFromLittleEndian<quint16>(img + 6790), quint16(6790));
        QCOMPARE(qFromLittleEndian<quint16>(img + 6792), quint16(6789));
        QCOMPARE(m_link->calls.size(), 4);
        QCOMPARE(m_link->calls.at(0).op, QByteArray("updateTexts"));
        QCOMPARE(m_link->calls.at(0).length, 5);
        QCOMPARE(m_link->calls.at(1).address, 6788);
        QCOMPARE(m_link->calls.at(2).address, 6790);
        QCOMPARE(m_link->calls.at(3).address, 6792);
        // Leaving the field again sends nothing more.
        Q_EMIT edit->editingFinished();
        QCOMPARE(m_link->calls.size(), 4);
        QVERIFY(m_model->changes.isEmpty());
    }

    void refreshReloadsFromThePool()
    {
        quint8 *img = m_model->image();
        PageBuildGuard building;
        ParText view(nullptr, m_model, 7200, ParText::Form::ViewLine);
        const char text[] = "loaded";
        memcpy(img + 100, text, sizeof text);
        qToLittleEndian<quint16>(7100, img + 7200);
        qToLittleEndian<quint16>(0x1F00, img + 7202);
        qToLittleEndian<quint16>(60, img + 7204);
        img[7206] = 0;
        img[7207] = 3;
        view.refresh();
        QCOMPARE(view.findChild<QLineEdit *>("lineEdit")->text(), QStringLiteral("loaded"));
        QCOMPARE(view.findChild<QtColorPicker *>("col")->currentColor(), QColor(0, 0, 248));
        QCOMPARE(view.findChild<QSpinBox *>("yposSpin")->value(), 60);
        QCOMPARE(view.findChild<QComboBox *>("yposCombo")->currentIndex(), 3);
        QCOMPARE(view.findChild<QComboBox *>("align")->currentText(), QStringLiteral("Align right"));
        QVERIFY(m_model->changes.isEmpty());
    }

private:
    FakeLink *m_link = nullptr;
    TextHost *m_host = nullptr;
    ScriptedPrompt *m_prompt = nullptr;
    TestModel *m_model = nullptr;
};

QTEST_MAIN(TestTextEditors)
#include "test_texteditors.moc"
