// What ParM16 and ParM32 share: the presentation chosen by the model's mask attributes
// ("MaskOrder", "MaskNames", "MaskBits") as buttons or a drop-down of named values.
#pragma once
#include "editors/maskbuttons.h"
#include "editors/par.h"
#include <memory>

class QComboBox;
class QGridLayout;

class ParMask : public Par
{
    Q_OBJECT
public:
    ~ParMask() override;

    void refresh() override;

public Q_SLOTS:
    void itemChecked(bool ch);
    void comboChanged();

protected:
    // bits: width of the value (16 or 32). Subclasses call build() at the end of their constructor.
    ParMask(QWidget *parent, quint32 uid, int bits);
    // The presentation order read from the model; 3 (numbers) is built by ParM32 itself.
    void build(bool numbers);
    virtual quint32 maskValue() const = 0;
    virtual void setMaskValue(quint32 v) = 0;

    QGridLayout *grid() const { return m_grid; }
    quint32 uid() const { return m_uid; }
    int order() const { return m_order; }

private:
    void buildCombo(const QStringList &names, const QByteArray &bits);
    void buildButtons(const QStringList &names, const QByteArray &bits);
    void showComboEntry();

    quint32 m_uid;
    int m_bits;
    int m_order = 0;
    QGridLayout *m_grid = nullptr;
    QComboBox *m_combo = nullptr;
    std::unique_ptr<MaskButtons> m_buttons;
};
