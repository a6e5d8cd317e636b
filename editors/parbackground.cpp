#include "editors/parbackground.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

ParBackground::ParBackground(QWidget *parent, ParModel *model, quint32 key, unsigned modes)
    : Par(parent, model), m_key(key)
{
    nameIfUnnamed("ParBackground");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = BackgroundRow::build(this, layout, modes);
    refresh();
    connect(m_row.mode, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParBackground::modeChange);
    connect(m_row.col0, &QtColorPicker::colorChanged, this, &ParBackground::col0Change);
    connect(m_row.col1, &QtColorPicker::colorChanged, this, &ParBackground::col1Change);
    fillTitle(title, m_key);
}

void ParBackground::sendWords(int i, quint16 v)
{
    QByteArray words = bytes(m_key, 6);
    if (words.size() != 6)
        return;
    store16(words.data() + 2 * i, v);
    sendChange(m_key, words);
}

void ParBackground::modeChange()
{
    const int mode = m_row.currentMode();
    if (mode == 0)
        return;
    m_row.showSecondFor(mode);
    sendWords(0, quint16(mode));
}

void ParBackground::col0Change(const QColor &c) { sendWords(1, Rgb565::fromColor(c)); }

void ParBackground::col1Change(const QColor &c) { sendWords(2, Rgb565::fromColor(c)); }

void ParBackground::refresh() { m_row.show(word(m_key), word(m_key + 2), word(m_key + 4)); }
