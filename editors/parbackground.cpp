#include "editors/parbackground.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

ParBackground::ParBackground(QWidget *parent, quint8 *value, const quint8 *base, unsigned modes,
                             int defMode, QRgb defCol0, QRgb defCol1)
    : Par(parent), m_value(value), m_key(memKey(value, base))
{
    nameIfUnnamed("ParBackground");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = BackgroundRow::build(this, layout, modes);
    if (word(0) == 0xffff) {
        store16(m_value, quint16(defMode));
        store16(m_value + 2, Rgb565::fromQRgb(defCol0));
        store16(m_value + 4, Rgb565::fromQRgb(defCol1));
    }
    refresh();
    connect(m_row.mode, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParBackground::modeChange);
    connect(m_row.col0, &QtColorPicker::colorChanged, this, &ParBackground::col0Change);
    connect(m_row.col1, &QtColorPicker::colorChanged, this, &ParBackground::col1Change);
    fillTitle(title, m_key);
}

// Every change is sent as all three words.
void ParBackground::modeChange()
{
    const int mode = m_row.currentMode();
    if (mode == 0)
        return;
    store16(m_value, quint16(mode));
    m_row.showSecondFor(mode);
    notifyChange(m_key, 6);
}

void ParBackground::col0Change(const QColor &c)
{
    store16(m_value + 2, Rgb565::fromColor(c));
    notifyChange(m_key, 6);
}

void ParBackground::col1Change(const QColor &c)
{
    store16(m_value + 4, Rgb565::fromColor(c));
    notifyChange(m_key, 6);
}

void ParBackground::refresh() { m_row.show(word(0), word(1), word(2)); }
