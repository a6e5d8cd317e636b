#include "app/relaytest.h"
#include "devices/devicecfg.h"
#include "ui_relaytest.h"

static void switchRelays(int mask)
{
    if (DeviceCfg *model = DeviceCfg::current())
        model->relayTest(mask);
}

RelayTest::RelayTest(QWidget *parent) : QDialog(parent), ui(new Ui::RelayTest)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QPushButton::clicked, this, &RelayTest::finishTest);
    connect(&m_timer, &QTimer::timeout, this, &RelayTest::timeout);
    // The test overwrites the user's relay setting: the model keeps it until the test ends.
    if (DeviceCfg *model = DeviceCfg::current())
        model->relayTestStarted();
    m_timer.start(500);
}

RelayTest::~RelayTest() = default;

void RelayTest::timeout()
{
    if (++m_step > 11) {
        m_step = 0;
        ++m_cycles;
        ui->label->setText(tr("Cycle: %1").arg(m_cycles));
    }
    const int mask = (m_step & 1) ? 1 << (m_step >> 1) : 0;
    ui->relayLabel->setText(mask ? tr("Relay %1 is on").arg((m_step >> 1) + 1) : tr("All relays are off"));
    switchRelays(mask);
}

void RelayTest::finishTest() { accept(); }

void RelayTest::done(int result)
{
    m_timer.stop();
    if (!m_finished) {
        m_finished = true;
        switchRelays(0);
        if (DeviceCfg *model = DeviceCfg::current())
            model->relayTestEnded();
    }
    QDialog::done(result);
}
