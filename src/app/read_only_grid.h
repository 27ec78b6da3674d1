#pragma once

#include <QTableView>

// A grid of whole rows that the user chooses but never edits, as every list of
// the program is: one row at a time, no row numbers.
QTableView *readOnlyGrid(QAbstractItemModel *model, const QString &name, QWidget *parent);
