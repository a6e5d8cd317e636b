// A push button that cycles through a fixed number of stages on each click; the style sheet
// colours it by its "stage" property.
#pragma once
#include <QPushButton>

class MultiStageButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int stage READ stage WRITE setStage NOTIFY stageChanged)
public:
    MultiStageButton(int stages, QWidget *parent = nullptr);

    int stage() const { return m_stage; }
    int stages() const { return m_stages; }

Q_SIGNALS:
    void stageChanged(int stage);

public Q_SLOTS:
    void setStage(int st);
    void toggleStage();

private:
    void repolish();

    int m_stage = 0;
    int m_stages;
};
