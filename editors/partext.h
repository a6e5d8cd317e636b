// Editor of one view line of a fixed-layout image (text, colour, font, position, alignment),
// and, with only its line edit shown, of every string parameter. Texts live in the text pool.
#pragma once
#include "editors/par.h"
#include "editors/textpool.h"
#include <QColor>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QtColorPicker;

class ParText : public Par
{
    Q_OBJECT
public:
    // View-line form. record: the 8 bytes (text reference, colour word, position word, font
    // index byte, alignment byte). A record whose reference is erased receives all defaults.
    ParText(QWidget *parent, quint8 *record, const quint8 *base, const QString &defText,
            QRgb defColour, int defPos, int defFont, int defAlign);
    // Program-name form: the text reference only.
    ParText(QWidget *parent, quint8 *ref, const quint8 *base, const QString &defText);
    ~ParText() override;

    void refresh() override;

public Q_SLOTS:
    void textChange();
    void colChange(const QColor &c);
    void fontChange(int index);
    void yposChange(int p);
    void lineChange(int index);
    void alignChange();

private:
    void buildForm();
    // Registers the record; an erased reference takes the default text, else the text is loaded.
    bool takeText(const QString &defText);
    // The pool's record of the text: the page's own, or the editor's when it has no page.
    TextRecord *record();
    void showFields();
    void refillLineBox();
    int lineHeight() const;
    void connectFields();

    quint8 *m_rec;
    quint32 m_key;
    bool m_viewLine;
    TextRecord m_text;

    QLabel *m_title = nullptr;
    QLineEdit *m_edit = nullptr;
    QComboBox *m_font = nullptr;
    QComboBox *m_align = nullptr;
    QtColorPicker *m_col = nullptr;
    QLabel *m_vposLabel = nullptr;
    QPushButton *m_minus = nullptr;
    QSpinBox *m_ypos = nullptr;
    QPushButton *m_plus = nullptr;
    QComboBox *m_yposCombo = nullptr;
};
