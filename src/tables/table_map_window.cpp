#include "tables/table_map_window.h"

#include "app/error_box.h"
#include "devices/text_utils.h"
#include "tables/table_map.h"

#include <QEventLoop>
#include <QFrame>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>

TFstoly::TFstoly(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Stoly"));
    setFixedSize(871, 589);
    QFont tahoma = font();
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    setFont(tahoma);

    const int blockLefts[] = {53, 258, 463, 665};
    for (int t = 1; t <= 4; ++t) {
        auto *block = new QFrame(this);
        block->setGeometry(blockLefts[t - 1], 50, 153, 296);
        block->setStyleSheet(QStringLiteral("QFrame { background: #b8b8b8; }"));
        addPanel(QStringLiteral("s%1").arg(t), QStringLiteral("Stůl %1").arg(t),
                 QRect(0, 0, 153, 70), 19, block);
        for (int seat = 1; seat <= 4; ++seat)
            addPanel(QStringLiteral("s%1z%2").arg(t).arg(seat), QString::number(seat),
                     QRect(5, 70 + 5 + (seat - 1) * 55, 143, 50), 20, block);
    }
    auto *names = new QFrame(this);
    names->setGeometry(53, 395, 765, 170);
    names->setStyleSheet(QStringLiteral("QFrame { background: #b8b8b8; }"));
    const int columns[] = {5, 158, 310, 463, 616};
    for (int i = 0; i < 15; ++i)
        addPanel(QStringLiteral("sk%1").arg(i + 1), QString(),
                 QRect(columns[i % 5], 5 + (i / 5) * 55, 143, 50), 18, names);
}

QPushButton *TFstoly::addPanel(const QString &name, const QString &caption, const QRect &place,
                               int fontPx, QWidget *parent)
{
    auto *panel = new QPushButton(caption, parent);
    panel->setObjectName(name);
    panel->setGeometry(place);
    panel->setAutoDefault(false);
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setStyleSheet(
        QStringLiteral("QPushButton { background: #f0f0e8; border: 1px solid #707070;"
                       " font-size: %1px; font-weight: bold; }")
            .arg(fontPx));
    connect(panel, &QPushButton::clicked, this, [this, panel] { s1z1Click(panel); });
    m_panels.insert(name, panel);
    return panel;
}

bool TFstoly::choose(QString &tableId, QString &panelName)
{
    m_chosenId.clear();
    m_chosenPanel.clear();
    if (exec() != QDialog::Accepted)
        return false;
    tableId = m_chosenId;
    panelName = m_chosenPanel;
    return true;
}

void TFstoly::s1z1Click(QPushButton *panel)
{
    const QString style = panel->styleSheet();
    panel->setStyleSheet(
        style + QStringLiteral(" QPushButton { background: rgb(0, 128, 0); color: white; }"));
    QString tableId = panel->objectName().mid(1, 10);
    if (panel->objectName().startsWith(QLatin1String("sk"))) {
        if (panel->text().isEmpty()) {
            bool ok = false;
            const QString typed = QInputDialog::getText(this, QStringLiteral("Stůl na jméno"),
                                                        QStringLiteral("Zadej jméno"),
                                                        QLineEdit::Normal, QString(), &ok);
            const tablemap::NameChoice choice = tablemap::nameChoice(typed);
            if (ok && !choice.refusal.isEmpty())
                showError(this, choice.refusal);
            if (!ok || !choice.refusal.isEmpty()) {
                panel->setStyleSheet(style);
                return;
            }
            panel->setText(choice.tableId);
        }
        tableId = panel->text();
    }
    // The chosen panel shows green for a moment.
    QEventLoop pause;
    QTimer::singleShot(100, &pause, &QEventLoop::quit);
    pause.exec();
    panel->setStyleSheet(style);
    m_chosenId = tableId;
    m_chosenPanel = panel->objectName();
    accept();
}

void TFstoly::FillMapTotals(DbSession &session, const QString &cisloPC)
{
    int nextName = 1;
    for (const tablemap::OpenOrder &order : tablemap::openOrders(session, cisloPC)) {
        const QString panelName = tablemap::panelOf(order.tableId);
        if (!panelName.isEmpty()) {
            if (QPushButton *p = panel(panelName))
                p->setText(text::formatAmount(order.total));
        } else if (nextName <= 15) {
            panel(QStringLiteral("sk%1").arg(nextName++))->setText(order.tableId);
        }
    }
}

void TFstoly::RefreshLeftTable(const QString &tableId, const QString &panelName, double total,
                               const QString &totalText)
{
    if (tableId.isEmpty())
        return;
    const QString caption = tablemap::captionWhenLeft(tableId, total, totalText);
    if (const QString own = tablemap::panelOf(tableId); !own.isEmpty()) {
        if (QPushButton *p = panel(own))
            p->setText(caption);
    } else if (total == 0 && panelName.startsWith(QLatin1String("sk"))) {
        if (QPushButton *p = panel(panelName))
            p->setText(QString());
    }
}

void TFstoly::RefreshMoveSource(const QString &sourceId, double remaining,
                                const QString &remainingText)
{
    if (QPushButton *p = panel(tablemap::panelOf(sourceId)))
        p->setText(tablemap::captionWhenLeft(sourceId, remaining, remainingText));
}
