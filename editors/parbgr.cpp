#include "editors/parbgr.h"
#include "base/parmodel.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

ParBgr::ParBgr(QWidget *parent, CfgParArr3 *par) : Par(parent), m_par(par)
{
    nameIfUnnamed("ParBgr");
    auto *layout = new QVBoxLayout(this);
    QLabel *title = makeTitleLabel(this, layout);
    ParModel *model = ParModel::current();
    const unsigned modes = model ? model->parProperty(m_par->uid(), QStringLiteral("BgrModes")).toUInt() : 0;
    m_row = BackgroundRow::build(this, layout, modes);
    refresh();
    connect(m_row.mode, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParBgr::modeChange);
    connect(m_row.col0, &QtColorPicker::colorChanged, this, &ParBgr::col0Change);
    connect(m_row.col1, &QtColorPicker::colorChanged, this, &ParBgr::col1Change);
    fillTitle(title, m_par->uid());
    hideForUid(m_par->uid());
}

void ParBgr::modeChange()
{
    const int mode = m_row.currentMode();
    if (mode == 0)
        return;
    const QByteArray before = record(m_par->uid());
    m_par->at(0) = quint16(mode);
    m_row.showSecondFor(mode);
    notifyChange(m_par->uid(), before);
}

void ParBgr::col0Change(const QColor &c)
{
    const QByteArray before = record(m_par->uid());
    m_par->at(1) = Rgb565::fromColor(c);
    notifyChange(m_par->uid(), before);
}

void ParBgr::col1Change(const QColor &c)
{
    const QByteArray before = record(m_par->uid());
    m_par->at(2) = Rgb565::fromColor(c);
    notifyChange(m_par->uid(), before);
}

void ParBgr::refresh() { m_row.show(m_par->at(0), m_par->at(1), m_par->at(2)); }
