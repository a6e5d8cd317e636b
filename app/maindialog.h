// The one main window: settings, style sheet, links and models; it composes the session (the
// board and its state), the start page and the commands behind its buttons.
#pragma once
#include "app/boardhistory.h"
#include "app/helpwindow.h"
#include "base/host.h"
#include "app/pagefit.h"
#include "app/session.h"
#include "base/progress.h"
#include "app/sitebackup.h"
#include <QDialog>
#include <QHostAddress>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>
#include <optional>

namespace Ui { class MainDialog; }
class DevIo;
class DeviceCfg;
class Prompt;

class QProgressBar;
class BarProgress;
class EditUndo;
class FindBar;
class MainCommands;
class OperationGate;
class QPushButton;
class QShortcut;
class StartPage;

class MainDialog : public QDialog, public Host
{
    Q_OBJECT
public:
    // What the window is made of; tests replace the parts they need to control.
    struct Parts
    {
        // Makes the device models in list order and returns those offered on the start page.
        std::function<QList<DeviceCfg *>(QObject *parent)> makeModels;
        std::function<DevIo *(QObject *parent)> makeUsbLink;
        std::function<DevIo *(QObject *parent)> makeNetLink;
        // The prompt to install; null installs the Qt dialogs.
        Prompt *prompt = nullptr;
        // Milliseconds of quiet after which a connected board is asked whether it is still
        // there (see DevIo::setIdleCheck); 0 turns the check off.
        int idleCheckMs = 3000;
    };
    static Parts defaultParts();

    explicit MainDialog(const Parts &parts = defaultParts(), QWidget *parent = nullptr);
    ~MainDialog() override;

    static MainDialog *instance();

    // Host
    DevIo *link() const override;
    Progress *progress() override;
    void showProgress(const QString &format) override;
    void hideProgress() override;
    void updateDevice() override;
    void updateTexts(int count) override;
    void showHelp(const QString &link) override;
    void scrollToTab(QWidget *tabButton) override;
    bool boardConnected() const override { return m_session.connected(); }
    void changeFailed(quint32 key) override;
    void changeWritten() override;
    void changeSent(quint32 key, const QByteArray &before, const QByteArray &after) override;

    QProgressBar *progressBar() const;
    void refreshEditors();
    QWidget *pageContainer() const;
    QString dumpDir() const;
    HelpWindow *helpWindow() const { return m_helpWindow; }
    QSettings &settings() { return m_settings; }
    bool onStartPage() const { return m_startPage; }
    StartPage *startPage() const { return m_start; }
    DevIo *usbLink() const { return m_usbLink; }
    DevIo *netLink() const { return m_netLink; }
    bool isConnected() const { return m_session.connected(); }
    // The board and its state, as the window shows them.
    Session *session() { return &m_session; }
    // True from a change sent to the connected board until it is stored in the board's memory.
    bool hasUnstoredChanges() const { return m_session.unstored(); }
    // True while the page takes no input: from page build to the end of the refresh that shows
    // the board's values, while the whole configuration is written, and after a read that failed.
    bool pageHeld() const { return m_session.pageHeld(); }
    // True after a read that failed until one succeeds (or a file is loaded offline): the page
    // holds no complete configuration of the board.
    bool readFailed() const { return m_session.readFailed(); }
    // True while the offline configuration has changes not saved to a file.
    bool hasUnsavedEdits() const { return m_session.offlineEdited(); }
    // With offline changes not saved to a file, asks Save / Discard / Cancel: true when what
    // the page holds may be replaced (saved, discarded, or nothing to lose).
    bool settleUnsavedEdits();
    FindBar *findBar() const { return m_findBar; }
    EditUndo *editUndo() const { return m_undo; }
    // Windows the main window opened itself (hex dumps); they close with it.
    QList<QWidget *> ownWindows() const;

    // The smallest window at which every label and button stays usable (before scaling).
    static constexpr int MinimumWidth = 420;
    static constexpr int MinimumHeight = 400;
    // How long a typed address has to answer before the user is told it did not.
    static constexpr int AddressAnswerMs = 3000;

    // The access code of the service menu.
    static const char *serviceCode();

public Q_SLOTS:
    // Edits model offline: its page, built from its values.
    void selectControls(DeviceCfg *model);
    void loadStyle();
    void setup();
    void load();
    void save();
    void saveOnDevice();
    void hexDump();
    void sysMenu();
    void detectedDeviceUsb(QString name, int key);
    void detectedDeviceTcp(QString name, int key);
    // Opens the board link announced under uid (chosen on the start page, or found alone).
    void openDevice(DevIo *link, int uid);
    void devConnect();
    void devDisconnect();
    // Leaves the connected board (asking first about unstored changes) for the start page.
    void disconnectBoard();
    // The start page again, from an offline page.
    void showStartPage();
    void installUsbDriver();
    void clearHelp();
    void openBrowser(const QString &url);
    void loadLanguage();
    // Takes the language with this code at once: the window and the page are redrawn in it.
    void setLanguage(const QString &code);
    // Reads the whole configuration from the connected board again.
    void readAgain();
    // Opens the compare view of the current model (its board's history when connected).
    void compare();
    // The compare view against the factory defaults: every value changed from factory.
    void compareWithFactory();
    // Closes the window and every window it opened.
    void done(int result) override;
    // Sends the bytes before the last change (undo) or after it (redo) to the board.
    void undoChange();
    void redoChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // With changes not stored in the connected board's memory, asks Store / leave / Cancel:
    // true when the board may be left (stored, left as it is, or nothing unstored).
    bool settleUnstoredChanges(const QString &question, const QString &leave);

    void connectLink(DevIo *link, void (MainDialog::*detected)(QString, int));
    void clearPage();
    void showPage(DeviceCfg *model);
    void tabBuilt();
    // Reads the board into the current model with the page held; false when the read failed.
    bool readBoard();
    void holdPage(bool held);
    // The offline page's status: the model, "offline" and the file it came from.
    void showOfflineStatus();
    void markOfflineEdit();
    void enableCommands();
    void showConnectedStatus();
    QString boardName() const;
    // The status of a page left incomplete by a read the board went away from.
    QString goneIncomplete() const;
    void reportWriteFailure();
    // "Back up all" on the start page (mainsite.cpp).
    void backUpSite();
    SiteBackup::Result backUpBoard(const StartPage::Target &target);
    // The store command and the status after the session's changes not stored changed.
    void showUnstored();
    // The start page, its links and the buttons below the page that go with it.
    void setupStartPage(const Parts &parts);
    // The USB and network links, made by the parts and listed on the start page.
    void setupLinks(const Parts &parts);
    void closeOwnWindows();
    // Offers to save the values changed without a board before a board's take their place.
    void offerOfflineSave(DeviceCfg *connecting);
    // The button under an offline page that leads back to the boards found.
    void showFoundBar();
    // The remembered addresses on the start page, each with its "Forget" button.
    void fillHostList();
    // Puts the start page's texts in the current language.
    void translateStartPage();
    // The page, the bar and the window's own texts in the language just chosen, from the
    // model's configuration as it is (nothing is read from the board).
    void redrawPage();
    // The find bar, undo and redo: their widgets, shortcuts and hooks.
    void setupEditCommands();
    // Tells the user that an undo or redo did not reach the board.
    void reportStepFailure();
    void showUndoState();

    QSettings m_settings;
    // The board and its state; the window shows it.
    Session m_session;
    // The commands behind the buttons.
    MainCommands *m_commands = nullptr;
    QPointer<HelpWindow> m_helpWindow;
    QTimer m_longSaveTimer;
    QTimer m_longLoadTimer;
    std::unique_ptr<Ui::MainDialog> ui;
    std::unique_ptr<BarProgress> m_progress;
    // Cancel beside the progress bar; a window closed during an operation closes after it.
    OperationGate *m_gate = nullptr;
    std::optional<int> m_closeAfter;
    std::unique_ptr<Prompt> m_ownPrompt;
    QString m_stylePath;
    QTranslator m_translator;
    // Qt's own texts (standard buttons, file dialogs) in the same language.
    QTranslator m_qtTranslator;
    DevIo *m_usbLink = nullptr;
    DevIo *m_netLink = nullptr;
    bool m_startPage = true;
    bool m_writeFailureShown = false;
    // The site backup: running, opening its board, asked to stop; its stop button.
    bool m_backingUp = false;
    bool m_backupOpens = false;
    bool m_backupStopped = false;
    QPushButton *m_stopBackup = nullptr;
    bool m_offlineShown = false;
    bool m_disconnectNote = false;
    QLabel *m_about = nullptr;
    QPushButton *m_compare = nullptr;
    QShortcut *m_factoryKey = nullptr;
    StartPage *m_start = nullptr;
    QList<DeviceCfg *> m_offered;
    ShownPage m_shown;
    QPushButton *m_disconnect = nullptr;
    QPushButton *m_foundBar = nullptr;
    FindBar *m_findBar = nullptr;
    EditUndo *m_undo = nullptr;
    QPushButton *m_undoButton = nullptr;
    QPushButton *m_redoButton = nullptr;
};
