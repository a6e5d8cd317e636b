// Base of every device model: identity test, configuration transfers, page building, labels
// and help texts, plus the process-wide model list, current model and page-building counter.
#pragma once
#include "base/parmodel.h"
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

class QBoxLayout;
class QIODevice;
class QWidget;
class Progress;

class DeviceCfg : public QObject, public ParModel
{
    Q_OBJECT
public:
    // Joins the end of the model list.
    explicit DeviceCfg(QObject *parent = nullptr);
    // Leaves the model list; a current model that goes away leaves no current model.
    ~DeviceCfg() override;

    // Identity words of the board generation this model stands for. A model's identity test
    // may take over the words of the board it accepts, hence mutable.
    mutable quint16 word0 = 0;
    mutable quint16 word1 = 0;
    mutable quint16 word2 = 0;
    // Next model in the model list.
    DeviceCfg *next = nullptr;

    // True exactly when all three words equal the model's identity words.
    virtual bool accepts(quint16 w0, quint16 w1, quint16 w2) const;
    virtual QString title() const = 0;
    // The configuration image, or null for a model without one.
    virtual quint8 *image() = 0;
    // Loads a dump file open for reading at its start; true = loaded. A file that fails its
    // checks leaves the configuration exactly as it was.
    virtual bool load(QIODevice *file) = 0;
    virtual bool save(QIODevice *file) = 0;
    virtual QString hexDump() = 0;
    // Reads the whole configuration from the current link; true = failed (after finishing).
    virtual bool readDevice(Progress *progress) = 0;
    // Why the last read failed, when the model knows more than that the board did not answer;
    // empty otherwise. The window adds it to its message.
    virtual QString readProblem() const { return QString(); }
    // Writes the whole configuration to the current link: false when any piece did not reach
    // the board (the rest is not tried).
    virtual bool writeDevice(Progress *progress) = 0;
    // Sends the first count bytes of the image (the rebuilt text pool): false as writeDevice.
    virtual bool writeTexts(Progress *progress, int count) = 0;
    // Fills the page container, which has no layout yet.
    virtual void buildPage(QWidget *container) = 0;
    // Makes the editors of the next tab of the page built last that are still to be made;
    // false when none is left.
    virtual bool buildNextTab() { return false; }
    // Makes the editors of the tab of these contents, when they are still to be made.
    virtual void buildTab(QWidget *content) { Q_UNUSED(content); }
    // The keys of the values whose editors the tab of these contents will hold when it is
    // made; false for a tab already made (or a page that makes every tab at once).
    virtual bool unbuiltValues(const QWidget *content, QVector<quint32> *keys) const
    {
        Q_UNUSED(content);
        Q_UNUSED(keys);
        return false;
    }
    // The same for every such tab.
    void buildAllTabs();
    // Whether pages built now make a tab's editors only when the tab is first shown (the
    // window's way, while a TabsWhenShown lives), or all of them at once.
    static bool tabsBuiltWhenShown();
    struct TabsWhenShown
    {
        TabsWhenShown();
        ~TabsWhenShown();
        TabsWhenShown(const TabsWhenShown &) = delete;
        TabsWhenShown &operator=(const TabsWhenShown &) = delete;
    };
    // The bytes of a value by key (ParModel); none on a model without such values.
    QByteArray value(quint32 key, int size) const override;
    bool store(quint32 key, const QByteArray &bytes) override;
    virtual QString helpText(quint32 key);
    // The key the help text of the value named key is kept under (values may share a text).
    virtual quint32 helpKey(quint32 key) const { return key; }
    // True when the user's edits of the help texts are kept (saveHelp writes them).
    virtual bool helpEditable() const { return false; }
    virtual void saveHelp() = 0;
    // Clears the board's counters: false when the board did not take every piece.
    virtual bool clearNvm() = 0;
    virtual void relayTest(int mask) = 0;
    // The relay test drives the relays through a setting of the board: the model remembers
    // it when a test starts and sends it back, refreshing its editor, when the test ends.
    virtual void relayTestStarted() {}
    virtual void relayTestEnded() {}
    virtual int fmFlag();
    // Sets the memory addressing flag and sends it: false when the board did not take it.
    virtual bool setFmFlag(int flag);
    // False for a board without a configuration of its own (the network bridge): there is
    // nothing to dump, load, read again or store on it.
    virtual bool keepsConfiguration() const { return true; }
    // False when the board's memory addressing flag cannot be changed on this model.
    virtual bool hasFmFlag() const { return false; }
    // False when relayTest() reaches no relay of the board.
    virtual bool hasRelayTest() const { return false; }

    // Model list and current model.
    static DeviceCfg *first();
    static DeviceCfg *current();
    static void setCurrent(DeviceCfg *model);
    // Asks the current model, then every other model in list order, to accept the triple; the
    // first that does becomes the current model. Refused by all: the current model stays.
    static bool selectModel(quint16 w0, quint16 w1, quint16 w2);

    // Page-building helpers.
    // A collapsible first-level section: button "tabButton" over hidden content "tabContents".
    static QWidget *addTab(QWidget *parent, QBoxLayout *layout, const QString &title);

    // Help texts of the model whose page was built last.
    static const QMap<quint32, QString> &helpMap();
    // Replaces the map with the file's texts; language names the language they are in, or is
    // empty for texts of no particular language.
    static bool readHelpFile(const QString &path, const QString &language = QString());
    // The language the map's texts were read in; empty when not read in a known language.
    static QString helpMapLanguage();
    // The language help texts are shown in: the program's, or English where none are embedded
    // in it.
    static QString helpLanguage();
    // A help file's name in a language: the Bulgarian names end in "_bg", the others' end in
    // their own code; names without that ending serve every language.
    static QString helpFileName(const QString &bulgarianName, const QString &language);
    static bool writeHelpFile(const QString &path);
    static void setHelpText(quint32 key, const QString &text);
    static void clearHelpTexts();

Q_SIGNALS:
    // The editors of a tab were made after the page was built.
    void tabBuilt();
};
