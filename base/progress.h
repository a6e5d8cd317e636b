// Progress of a long transfer, reported in units of the caller's choosing (bytes, pieces).
#pragma once
#include <QString>

class Progress
{
public:
    virtual ~Progress() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual int maximum() const = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
    void advance(int by = 1) { setValue(value() + by); }
};

// A progress sink that only remembers the numbers; for tools, tests and callers without a bar.
class CountingProgress : public Progress
{
public:
    void setMaximum(int maximum) override { m_maximum = maximum; }
    int maximum() const override { return m_maximum; }
    void setValue(int value) override { m_value = value; }
    int value() const override { return m_value; }

private:
    int m_maximum = 0;
    int m_value = 0;
};
