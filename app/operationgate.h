// A long link operation in the window (a read, a write of everything, a firmware update): its
// Cancel button beside the progress bar, and the gate that keeps every other input away from
// the window meanwhile, as the link's waits once kept all of it away.
#pragma once
#include "link/linkcancel.h"
#include <QObject>
#include <QPointer>
#include <memory>

class QPushButton;
class QWidget;

class OperationGate : public QObject
{
    Q_OBJECT
public:
    // window: the main window; cancel: the button that cancels, hidden between operations.
    OperationGate(QWidget *window, QPushButton *cancel);
    ~OperationGate() override;

    // Operations may nest; the outermost one shows the button and gates the input.
    void begin();
    void end();
    bool running() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPushButton *m_cancel;
    int m_depth = 0;
    std::unique_ptr<LinkCancel::Operation> m_operation;
};
