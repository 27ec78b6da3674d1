#include "reports/product_search_dialog.h"

#include "app/error_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

ProductSearchDialog::ProductSearchDialog(QTableView *list, int column, QWidget *parent)
    : QDialog(parent), m_list(list), m_model(list->model()), m_startRow(list->currentIndex().row()),
      m_column(new QComboBox(this)), m_text(new QLineEdit(this)), m_values(new QListWidget(this)),
      m_showValues(new QCheckBox(QStringLiteral("zobrazit výběr"), this)),
      m_parts(new QCheckBox(QStringLiteral("hledat i části"), this))
{
    setWindowTitle(QStringLiteral("Hledat"));
    move(600, 200);
    resize(380, 460);
    m_column->setObjectName(QStringLiteral("sloupec"));
    m_text->setObjectName(QStringLiteral("coHledat"));
    m_values->setObjectName(QStringLiteral("hodnoty"));
    // One line each: the view need not measure tens of thousands of names.
    m_values->setUniformItemSizes(true);
    m_showValues->setObjectName(QStringLiteral("zobrazitVyber"));
    m_parts->setObjectName(QStringLiteral("hledatCasti"));
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (!list->isColumnHidden(c))
            m_column->addItem(m_model->headerData(c, Qt::Horizontal).toString(), c);
    }
    m_column->setCurrentIndex(std::max(0, m_column->findData(column)));
    m_showValues->setChecked(true);
    m_parts->setChecked(true);
    auto *take = new QPushButton(QStringLiteral("převzít"), this);
    take->setObjectName(QStringLiteral("prevzit"));
    take->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("storno"), this);
    cancel->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Prohledávat"), m_column);
    form->addRow(QStringLiteral("Co hledat"), m_text);
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_showValues);
    checks->addWidget(m_parts);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_values, 1);
    layout->addLayout(checks);
    layout->addLayout(buttons);

    connect(m_column, &QComboBox::currentIndexChanged, this, &ProductSearchDialog::fillValues);
    connect(m_text, &QLineEdit::textChanged, this, &ProductSearchDialog::fillValues);
    connect(m_parts, &QCheckBox::toggled, this, &ProductSearchDialog::fillValues);
    connect(m_showValues, &QCheckBox::toggled, m_values, &QWidget::setVisible);
    connect(m_values, &QListWidget::currentRowChanged, this, &ProductSearchDialog::valueChosen);
    connect(m_values, &QListWidget::itemDoubleClicked, this, &ProductSearchDialog::take);
    connect(take, &QPushButton::clicked, this, &ProductSearchDialog::take);
    connect(cancel, &QPushButton::clicked, this, &ProductSearchDialog::cancel);
    m_text->installEventFilter(this);
    fillValues();
    m_text->setFocus();
}

void ProductSearchDialog::fillValues()
{
    const int column = m_column->currentData().toInt();
    if (column != m_cachedColumn) {
        // Read once per column: a keystroke then only compares strings.
        m_columnValues.clear();
        m_columnValues.reserve(m_model->rowCount());
        for (int r = 0; r < m_model->rowCount(); ++r)
            m_columnValues << m_model->index(r, column).data().toString();
        m_cachedColumn = column;
    }
    const QString typed = m_text->text();
    const bool parts = m_parts->isChecked();
    QStringList shown;
    m_shownRows.clear();
    for (int r = 0; r < m_columnValues.size(); ++r) {
        const QString &value = m_columnValues.at(r);
        if (parts ? value.contains(typed, Qt::CaseInsensitive)
                  : value.startsWith(typed, Qt::CaseInsensitive)) {
            shown << value;
            m_shownRows.push_back(r);
        }
    }
    QSignalBlocker block(m_values);
    m_values->clear();
    m_values->addItems(shown);
    if (m_values->count() > 0) {
        m_values->setCurrentRow(0);
        block.unblock();
        valueChosen();
    }
}

void ProductSearchDialog::valueChosen()
{
    const int item = m_values->currentRow();
    if (item < 0 || item >= static_cast<int>(m_shownRows.size()))
        return;
    const int row = m_shownRows.at(item);
    m_list->setCurrentIndex(m_model->index(row, m_column->currentData().toInt()));
    m_list->scrollTo(m_list->currentIndex());
}

bool ProductSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Arrows and pages move in the value list while the cashier types.
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QApplication::sendEvent(m_values, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProductSearchDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProductSearchDialog::take()
{
    if (!m_showValues->isChecked()) {
        const int column = m_column->currentData().toInt();
        for (int r = 0; r < m_model->rowCount(); ++r) {
            if (m_model->index(r, column).data().toString().compare(m_text->text(),
                                                                    Qt::CaseInsensitive) == 0) {
                m_list->setCurrentIndex(m_model->index(r, column));
                accept();
                return;
            }
        }
        QApplication::beep();
        showError(this, kNotFound);
        return;
    }
    accept();
}

void ProductSearchDialog::cancel()
{
    if (m_startRow >= 0)
        m_list->setCurrentIndex(
            m_model->index(m_startRow, std::max(0, m_list->currentIndex().column())));
    else
        m_list->setCurrentIndex(QModelIndex());
    reject();
}
