#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QTableView;

// "Hledat": finds a row of a list by the values of one of its columns. The value
// list shows the values that contain the typed text (without regard to case) and
// moves the list's cursor with it; "storno" puts the cursor back.
class ProductSearchDialog : public QDialog
{
    Q_OBJECT
public:
    ProductSearchDialog(QTableView *list, int column, QWidget *parent = nullptr);

    static inline const QString kNotFound = QStringLiteral("Record not found");

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillValues();
    void valueChosen();
    void take();
    void cancel();

    QTableView *m_list;
    QAbstractItemModel *m_model;
    int m_startRow;
    QComboBox *m_column;
    QLineEdit *m_text;
    QListWidget *m_values;
    QCheckBox *m_showValues;
    QCheckBox *m_parts;
    QStringList m_columnValues; // the searched column, row by row
    int m_cachedColumn = -1;
    std::vector<int> m_shownRows; // the list's row of each shown value
};
