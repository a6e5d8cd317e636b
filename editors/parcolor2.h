// Editor of one or two independent colour words of a fixed-layout image, side by side.
#pragma once
#include "editors/par.h"
#include <optional>

class QLabel;
class QtColorPicker;

class ParColor2 : public Par
{
    Q_OBJECT
public:
    // The colour words named col0 and (optional) col1 in model; without col1 only the first
    // colour is shown.
    ParColor2(QWidget *parent, ParModel *model, quint32 col0, std::optional<quint32> col1 = std::nullopt);

    void refresh() override;

public Q_SLOTS:
    void col0Change(const QColor &c);
    void col1Change(const QColor &c);

private:
    quint32 m_key0;
    std::optional<quint32> m_key1;
    QtColorPicker *m_pick0;
    QtColorPicker *m_pick1;
};
