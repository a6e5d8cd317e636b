// Device model of boards that describe their own configuration: the board sends typed
// parameters, the page shows one editor per parameter in tabs keyed by group and instance.
#pragma once
#include "devices/devicecfg.h"
#include <QList>
#include <QHash>
#include <QMap>
#include <QPointer>
#include <array>

class CfgPar;
class DevTab;
class Par;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

class DevCom2 : public DeviceCfg
{
    Q_OBJECT
public:
    explicit DevCom2(QObject *parent = nullptr);

    // Any board of the self-describing family (word1 0x0200); its other words become the model's.
    bool accepts(quint16 w0, quint16 w1, quint16 w2) const override;
    QString title() const override;
    quint8 *image() override { return nullptr; }
    bool load(QIODevice *file) override;
    bool save(QIODevice *file) override;
    // No image to show: offers the machine setup block instead and refreshes every editor.
    QString hexDump() override;
    bool readDevice(Progress *progress) override;
    QString readProblem() const override { return m_readProblem; }
    bool writeDevice(Progress *progress) override;
    bool writeTexts(Progress *, int) override { return true; }
    void buildPage(QWidget *container) override;
    QString parName(quint32 uid) override;
    QVariant parProperty(quint32 uid, const QString &name) override;
    QString helpText(quint32 uid) override;
    void saveHelp() override {}
    bool changed(quint32 uid, int size) override;
    // A parameter's value record as the board is sent it (its UID, then its value), whatever
    // the size asked; empty for a parameter the registry does not hold.
    QByteArray value(quint32 uid, int size) const override;
    // Takes a value record of the parameter uid into the registry.
    bool store(quint32 uid, const QByteArray &record) override;
    bool clearNvm() override;
    void relayTest(int) override {}

    static constexpr quint16 Family = 0x0200;
    // Editors one page holds at most; a larger page is not built and the read fails.
    static constexpr int MaxEditorsPerPage = 2048;
    static constexpr int MachineSetupWords = 16;

    std::array<quint16, MachineSetupWords> machineSetup() const { return m_machineSetup; }
    // Tools without widgets: a read fills the registry and succeeds without a page.
    void setPageless(bool on) { m_pageless = on; }
    // The editor made for a parameter's type code, or null (logged) for a code without one.
    static Par *makeEditor(CfgPar *par, QWidget *parent);
    // Builds the tabs and editors again from the parameters as they are (a language chosen):
    // nothing is read from the board. The tab that was open is open again.
    void rebuildTabs();

public Q_SLOTS:
    // Edits the machine setup block as hexadecimal text and sends it to the board.
    void changeMachineSetup();
    // A tab button toggled: shows its content w in the area, or hides the area.
    void setAreaWidget(QWidget *w, QPushButton *but);

    bool buildNextTab() override;
    // Shows the editors made with their tab when it is on screen.
    void buildTab(QWidget *content) override;
    // The parameters a tab not yet made will have editors for, but its hardware settings.
    bool unbuiltValues(const QWidget *content, QVector<quint32> *keys) const override;

private:
    void dropTabs();
    // The tabs of the parameters of list 1, all closed, with their editors made at once or
    // when a tab is first shown; false (and no page) when they would need more than
    // MaxEditorsPerPage editors.
    bool buildTabs();
    // Makes the editors of a tab still to be made, from the parameters as they are now.
    bool fillTab(DevTab *tab);
    DevTab *tabOf(const QWidget *content) const;
    DevTab *tabFor(quint32 uid);
    // Sends one parameter, or list 1 whole, and then what was reported while it was on its way.
    bool send(quint32 uid);
    void offerHardwareSettings(DevTab *tab);
    static constexpr quint32 WholeList = 0;

    std::array<quint16, MachineSetupWords> m_machineSetup;
    QPointer<QWidget> m_container;
    QPointer<QVBoxLayout> m_tabColumn;
    QPointer<QScrollArea> m_area;
    QMap<quint32, DevTab *> m_tabs;
    // The parameters of each tab whose editors are still to be made.
    QHash<const DevTab *, QVector<quint32>> m_unbuilt;
    QPointer<QPushButton> m_selected;
    bool m_pageless = false;
    bool m_sending = false;
    QList<quint32> m_waiting;
    QString m_readProblem;
};
