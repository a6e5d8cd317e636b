#include "editors/multistagebutton.h"
#include <QStyle>

MultiStageButton::MultiStageButton(int stages, QWidget *parent)
    : QPushButton(parent), m_stages(qMax(1, stages))
{
    connect(this, &QPushButton::clicked, this, &MultiStageButton::toggleStage);
}

void MultiStageButton::setStage(int st)
{
    if (st == m_stage)
        return;
    m_stage = st;
    repolish();
    Q_EMIT stageChanged(st);
}

void MultiStageButton::toggleStage()
{
    m_stage = m_stage + 1 >= m_stages ? 0 : m_stage + 1;
    Q_EMIT stageChanged(m_stage);
    repolish();
}

// The style rules pick the colour by the "stage" property, which a style only reads on polish.
void MultiStageButton::repolish()
{
    style()->unpolish(this);
    style()->polish(this);
    update();
}
