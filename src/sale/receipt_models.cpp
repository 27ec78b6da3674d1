#include "sale/receipt_models.h"

#include "devices/text_utils.h"

#include <QFont>

QVariant ReceiptLinesModel::data(const QModelIndex &index, int role) const
{
    const QVariant raw = QSqlQueryModel::data(index, Qt::DisplayRole);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Pcsd:
        case Cenar:
            return text::formatAmount(raw.toDouble()).trimmed();
        case Mnoz:
            return text::formatNumber(raw.toDouble());
        default:
            return raw;
        }
    case Qt::TextAlignmentRole:
        if (index.column() == Pcsd || index.column() == Cenar)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == Mnoz)
            return QVariant(Qt::AlignCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QSqlQueryModel::data(index, role);
    }
}

QVariant ReceiptLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QSqlQueryModel::headerData(section, orientation, role);
    static const char *titles[] = {"", "KÓD", "NÁZEV", "CENA", "MNOŽSTVÍ", "MJ", "CELKEM"};
    return section >= 0 && section < 7 ? QString::fromUtf8(titles[section]) : QVariant();
}

int ReceiptLinesModel::id2At(int row) const
{
    return QSqlQueryModel::data(index(row, Id2)).toInt();
}

QVariant TodayReceiptsModel::data(const QModelIndex &index, int role) const
{
    if (index.column() == Soucetu) {
        if (role == Qt::DisplayRole)
            return text::formatWholeAmount(QSqlQueryModel::data(index).toDouble());
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::FontRole &&
            QSqlQueryModel::data(this->index(index.row(), Typplatby)).toString() ==
                QLatin1String("K")) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
    }
    return QSqlQueryModel::data(index, role);
}

QVariant TodayReceiptsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        switch (section) {
        case Cislo:
            return QStringLiteral("ÚČTENKA");
        case Cas:
            return QStringLiteral("ČAS");
        case Soucetu:
            return QStringLiteral("SUMA");
        default:
            break;
        }
    }
    return QSqlQueryModel::headerData(section, orientation, role);
}
