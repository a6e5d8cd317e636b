#include "editors/partext.h"
#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include "editors/viewline.h"
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Record layout.
constexpr int RefOffset = 0;
constexpr int ColourOffset = 2;
constexpr int PosOffset = 4;
constexpr int FontOffset = 6;
constexpr int AlignOffset = 7;

} // namespace

ParText::ParText(QWidget *parent, ParModel *model, quint32 key, Form form)
    : Par(parent, model), m_key(key), m_viewLine(form == Form::ViewLine)
{
    buildForm();
    takeText();
    if (m_viewLine) {
        showFields();
        connectFields();
    } else {
        for (QWidget *w : {static_cast<QWidget *>(m_font), static_cast<QWidget *>(m_align),
                           static_cast<QWidget *>(m_col), static_cast<QWidget *>(m_vposLabel),
                           static_cast<QWidget *>(m_minus), static_cast<QWidget *>(m_ypos),
                           static_cast<QWidget *>(m_plus), static_cast<QWidget *>(m_yposCombo)})
            w->hide();
        connect(m_edit, &QLineEdit::editingFinished, this, &ParText::textChange);
        if (compactParent(parent)) {
            m_title->hide();
            m_edit->setObjectName(QStringLiteral("pgName"));
        }
    }
    fillTitle(m_title, m_key);
}

ParText::~ParText()
{
    TextPool &pool = TextPool::global();
    pool.remove(&m_text);
    pool.detach(m_edit);
}

TextRecord *ParText::record()
{
    TextRecord *kept = m_text.word ? TextPool::global().recordOf(m_text.word) : nullptr;
    return kept ? kept : &m_text;
}

void ParText::buildForm()
{
    nameIfUnnamed("ParText");
    auto *layout = new QVBoxLayout(this);
    m_title = makeTitleLabel(this, layout);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("lineEdit"));
    layout->addWidget(m_edit);

    auto *row2 = new QHBoxLayout;
    row2->setObjectName(QStringLiteral("horizontalLayout_2"));
    m_font = new QComboBox(this);
    m_font->setObjectName(QStringLiteral("font"));
    m_font->addItem(tr("Size 1/16"));
    m_font->addItem(tr("Size 1/8"));
    m_font->addItem(tr("Size 1/4"));
    m_align = new QComboBox(this);
    m_align->setObjectName(QStringLiteral("align"));
    ViewLine::addAlignEntries(m_align);
    m_col = makeColorPicker(this, QStringLiteral("col"));
    row2->addWidget(m_font);
    row2->addWidget(m_align);
    row2->addWidget(m_col);
    layout->addLayout(row2);

    auto *row = new QHBoxLayout;
    row->setObjectName(QStringLiteral("horizontalLayout"));
    m_vposLabel = new QLabel(tr("Vpos:"), this);
    m_vposLabel->setObjectName(QStringLiteral("label_2"));
    m_minus = new QPushButton(QStringLiteral("-"), this);
    m_minus->setObjectName(QStringLiteral("Sqr"));
    m_ypos = new QSpinBox(this);
    m_ypos->setObjectName(QStringLiteral("yposSpin"));
    m_ypos->setRange(0, ViewLine::MaxPosition);
    m_plus = new QPushButton(QStringLiteral("+"), this);
    m_plus->setObjectName(QStringLiteral("Sqr"));
    m_yposCombo = new QComboBox(this);
    m_yposCombo->setObjectName(QStringLiteral("yposCombo"));
    row->addWidget(m_vposLabel);
    row->addWidget(m_minus);
    row->addWidget(m_ypos);
    row->addWidget(m_plus);
    row->addWidget(m_yposCombo);
    layout->addLayout(row);
}

void ParText::takeText()
{
    TextPool &pool = TextPool::global();
    if (!pool.image())
        return;
    m_text.word = pool.image() + m_key + RefOffset;
    // The page's texts are the pool's own; an editor made without a page brings its record.
    if (!pool.recordOf(m_text.word))
        pool.add(&m_text);
    pool.load(record(), m_edit);
}

void ParText::connectFields()
{
    connect(m_edit, &QLineEdit::editingFinished, this, &ParText::textChange);
    connect(m_col, &QtColorPicker::colorChanged, this, &ParText::colChange);
    connect(m_font, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParText::fontChange);
    connect(m_minus, &QPushButton::clicked, m_ypos, &QSpinBox::stepDown);
    connect(m_plus, &QPushButton::clicked, m_ypos, &QSpinBox::stepUp);
    connect(m_ypos, qOverload<int>(&QSpinBox::valueChanged), this, &ParText::yposChange);
    connect(m_yposCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParText::lineChange);
    connect(m_align, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParText::alignChange);
}

int ParText::lineHeight() const { return ViewLine::heightForIndex(byte(m_key + FontOffset)); }

void ParText::refillLineBox()
{
    const int height = lineHeight();
    ViewLine::fillLineBox(m_yposCombo, ViewLine::linesForHeight(height), height, m_ypos->value());
}

void ParText::showFields()
{
    if (!m_viewLine)
        return;
    if (!m_col->isHidden()) {
        const QSignalBlocker block(m_col);
        m_col->setCurrentColor(Rgb565::toColor(word(m_key + ColourOffset)));
    }
    if (!m_font->isHidden()) {
        const QSignalBlocker block(m_font);
        const int font = byte(m_key + FontOffset);
        m_font->setCurrentIndex(font < m_font->count() ? font : -1);
    }
    if (!m_ypos->isHidden()) {
        {
            const QSignalBlocker block(m_ypos);
            m_ypos->setValue(word(m_key + PosOffset));
        }
        refillLineBox();
    }
    if (!m_align->isHidden()) {
        const QSignalBlocker block(m_align);
        m_align->setCurrentIndex(m_align->findData(byte(m_key + AlignOffset)));
    }
}

void ParText::textChange()
{
    if (!m_edit->isModified())
        return;
    // The pool sends the texts and the references that moved.
    TextPool::global().store(record(), m_edit);
    m_edit->setModified(false);
}

void ParText::colChange(const QColor &c)
{
    sendWord(m_key + ColourOffset, Rgb565::fromColor(c));
}

void ParText::fontChange(int index)
{
    if (index < 0)
        return;
    // Sent as the font and alignment word, so the write stays inside the record.
    sendWord(m_key + FontOffset, quint16(index | byte(m_key + AlignOffset) << 8));
    refillLineBox();
}

void ParText::yposChange(int p)
{
    ViewLine::selectLine(m_yposCombo, lineHeight(), p);
    sendWord(m_key + PosOffset, quint16(p));
}

void ParText::lineChange(int index)
{
    if (index < 0)
        return;
    // The spin box's own signal stores the position.
    m_ypos->setValue(index * lineHeight());
}

void ParText::alignChange()
{
    if (m_align->currentIndex() < 0)
        return;
    const quint8 align = quint8(m_align->currentData().toInt());
    sendWord(m_key + FontOffset, quint16(byte(m_key + FontOffset) | align << 8));
}

void ParText::refresh()
{
    if (m_text.word)
        TextPool::global().load(record(), m_edit);
    showFields();
}
