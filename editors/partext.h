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
    enum class Form { ViewLine, Name };
    // The record named key in model. View-line form: the 8 bytes (text reference, colour
    // word, position word, font index byte, alignment byte). Name form: the text reference
    // only. The text is the text pool's, in the pool over the model's image.
    ParText(QWidget *parent, ParModel *model, quint32 key, Form form);
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
    // Finds the pool's record of the text (or registers the editor's own) and shows the text.
    void takeText();
    // The pool's record of the text: the page's own, or the editor's when it has no page.
    TextRecord *record();
    void showFields();
    void refillLineBox();
    int lineHeight() const;
    void connectFields();

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
