// The records of a "DevCom2" dump read without a board's description, named by the dynamic
// device's tables: for tools that list or compare dumps.
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace DevCom2Records {

struct Record
{
    quint32 uid = 0;
    QByteArray value; // value-mode payload
};

// The records after the header; false for a wrong header or a truncated or unknown record.
bool parse(const QByteArray &file, QList<Record> *records);
// "[Coin validator] Disabled coins [channel]"
QString name(quint32 uid);

// A parameter whose value differs between two lists of records; a list without it has none.
struct Difference
{
    quint32 uid = 0;
    std::optional<QByteArray> a;
    std::optional<QByteArray> b;
};
// The parameters whose values differ, in the order of a, then those only b has.
QList<Difference> differences(const QList<Record> &a, const QList<Record> &b);

} // namespace DevCom2Records
