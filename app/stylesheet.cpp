#include "app/stylesheet.h"
#include "base/scale.h"
#include <QFile>
#include <QRegularExpression>

QString scaleStyleSheet(const QString &css)
{
    static const QRegularExpression unit(QStringLiteral("([0-9]+)sp"));
    QString out = css;
    int from = 0;
    for (;;) {
        const QRegularExpressionMatch m = unit.match(out, from);
        if (!m.hasMatch())
            break;
        const QString px = QString::number(scaled(m.captured(1).toInt())) + QStringLiteral("px");
        out.replace(m.capturedStart(), m.capturedLength(), px);
        from = m.capturedStart();
    }
    return out;
}

bool readStyleSheet(const QString &path, QString *css)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QByteArray bytes = file.readAll();
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    *css = scaleStyleSheet(QString::fromLatin1(bytes));
    return true;
}
