// The host of the console tool: the current link, and progress that shows on standard error
// only when standard error is a terminal.
#pragma once
#include "base/host.h"
#include "base/progress.h"
#include <QString>

class TerminalProgress : public Progress
{
public:
    TerminalProgress();
    // The word before the percentage; a new label starts a new line of progress.
    void setLabel(const QString &label);
    // Ends the progress line, if one was drawn.
    void finish();

    void setMaximum(int maximum) override;
    int maximum() const override { return m_maximum; }
    void setValue(int value) override;
    int value() const override { return m_value; }

private:
    bool m_terminal;
    QString m_label;
    int m_maximum = 0;
    int m_value = 0;
    int m_shown = -1; // percentage on screen, -1 when no line is drawn
};

class CliHost : public Host
{
public:
    DevIo *link() const override;
    TerminalProgress *progress() override { return &m_progress; }
    void updateDevice() override;
    void updateTexts(int count) override;
    void showHelp(const QString &) override {}
    void scrollToTab(QWidget *) override {}

private:
    TerminalProgress m_progress;
};
