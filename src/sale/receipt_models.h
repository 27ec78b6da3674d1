#pragma once

#include <QSqlQueryModel>

// The receipt line list: the work receipt in entry order.
class ReceiptLinesModel : public QSqlQueryModel
{
    Q_OBJECT
public:
    enum Column { Id2, Jkpov, Nazev, Pcsd, Mnoz, Mj, Cenar };
    using QSqlQueryModel::QSqlQueryModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    int id2At(int row) const;
};

// Today's receipts of the branch; the sum of a card receipt is bold.
class TodayReceiptsModel : public QSqlQueryModel
{
    Q_OBJECT
public:
    enum Column { Cisuctenky, Datum, Soucetu, Cislo, Cas, Typplatby };
    using QSqlQueryModel::QSqlQueryModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
};
