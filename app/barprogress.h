// A progress bar of the window as a progress sink, for the views that show their transfers.
#pragma once
#include "base/progress.h"
#include <QProgressBar>

class BarProgress : public Progress
{
public:
    explicit BarProgress(QProgressBar *bar) : m_bar(bar) {}
    void setMaximum(int maximum) override { m_bar->setMaximum(maximum); }
    int maximum() const override { return m_bar->maximum(); }
    void setValue(int value) override { m_bar->setValue(value); }
    int value() const override { return m_bar->value(); }

private:
    QProgressBar *m_bar;
};
