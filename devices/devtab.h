// A collapsible second-level section of the dynamic device's page.
#pragma once
#include <QObject>
#include <QString>

class QPushButton;
class QWidget;

class DevTab : public QObject
{
    Q_OBJECT
public:
    DevTab(const QString &text, const QString &altText, QWidget *parent);

    QString text;
    QString altText;
    QPushButton *button;
    QWidget *content;

    void addWidget(QWidget *w);
    void addStretch();
    // Shows altText when true, text when false.
    void setAltText(bool alt);
    // Shows every editor under content, at any depth.
    void showEditors();

public Q_SLOTS:
    void activateTab();

Q_SIGNALS:
    void slectedArea(QWidget *content, QPushButton *button);
};
