// The one main window: settings, style sheet, links, models, the start page and the
// connect/disconnect cycle, plus the commands behind its buttons.
#pragma once
#include "app/host.h"
#include "app/progress.h"
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>

namespace Ui { class MainDialog; }
class DevIo;
class DeviceCfg;
class Prompt;

class QProgressBar;

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

    QProgressBar *progressBar() const;
    void refreshEditors();
    QWidget *pageContainer() const;
    QString dumpDir() const { return m_dumpDir; }
    QLabel *helpWindow() const { return m_helpWindow; }
    QSettings &settings() { return m_settings; }
    bool onStartPage() const { return m_startPage; }
    DevIo *usbLink() const { return m_usbLink; }
    DevIo *netLink() const { return m_netLink; }

    // The access code of the service menu.
    static const char *serviceCode();

public Q_SLOTS:
    void selectControls();
    void loadStyle();
    void setup();
    void load();
    void save();
    void saveOnDevice();
    void hexDump();
    void sysMenu();
    void detectedDeviceUsb(QString name, int key);
    void detectedDeviceTcp(QString name, int key);
    void openDevice();
    void devConnect();
    void devDisconnect();
    void installUsbDriver();
    void clearHelp();
    void openBrowser(const QString &url);
    void loadLanguage();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class BarProgress;

    void connectLink(DevIo *link, void (MainDialog::*detected)(QString, int));
    void clearPage();
    void showPage(DeviceCfg *model);
    void runServiceMenu();

    QSettings m_settings;
    QString m_dumpDir;
    QPointer<QLabel> m_helpWindow;
    QTimer m_longSaveTimer;
    QTimer m_longLoadTimer;
    std::unique_ptr<Ui::MainDialog> ui;
    std::unique_ptr<BarProgress> m_progress;
    std::unique_ptr<Prompt> m_ownPrompt;
    QString m_stylePath;
    QTranslator m_translator;
    DevIo *m_usbLink = nullptr;
    DevIo *m_netLink = nullptr;
    bool m_startPage = true;
    QLabel *m_about = nullptr;
};
