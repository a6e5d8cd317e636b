// The connection status above the page: always the same height, so that no change of state
// moves the page under the pointer. A text that needs more room is wrapped into its lines,
// the last one elided; the whole text is in the tooltip.
#pragma once
#include <QLabel>

class StatusLine : public QLabel
{
    Q_OBJECT
public:
    // Lines of text the status always has room for.
    static constexpr int Lines = 2;

    explicit StatusLine(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The height never follows the text.
    bool hasHeightForWidth() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The text broken into lines at the width, and those lines as they are drawn.
    QStringList wrapped(int width) const;
    QStringList shownLines() const;
};
