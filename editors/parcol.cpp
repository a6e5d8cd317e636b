#include "editors/parcol.h"
#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

ParCol::ParCol(QWidget *parent, CfgParColour *par) : Par(parent), m_par(par)
{
    nameIfUnnamed("ParCol");
    auto *layout = new QVBoxLayout(this);
    QLabel *title = makeTitleLabel(this, layout);
    m_col = makeColorPicker(this, QStringLiteral("col"));
    layout->addWidget(m_col);
    refresh();
    connect(m_col, &QtColorPicker::colorChanged, this, &ParCol::colChange);
    fillTitle(title, m_par->uid());
    hideForUid(m_par->uid());
}

void ParCol::colChange(const QColor &c)
{
    const QByteArray before = record(m_par->uid());
    m_par->setValue(Rgb565::fromColor(c));
    notifyChange(m_par->uid(), before);
}

void ParCol::refresh()
{
    const QSignalBlocker block(m_col);
    m_col->setCurrentColor(Rgb565::toColor(m_par->value()));
}
