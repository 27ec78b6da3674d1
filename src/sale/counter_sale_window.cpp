#include "sale/counter_sale_window.h"

#include "app/enter_as_tab.h"
#include "app/error_box.h"
#include "app/exit_line_edit.h"
#include "app/fonts.h"
#include "app/legend_button.h"
#include "app/please_wait_window.h"
#include "app/read_only_grid.h"
#include "app/station.h"
#include "app/update_check.h"
#include "devices/port_settings_dialog.h"
#include "devices/receipt_print.h"
#include "devices/report_output.h"
#include "devices/text_utils.h"
#include "reports/day_totals.h"
#include "reports/product_list_window.h"
#include "reports/sales_report_window.h"
#include "reports/terminal_notes_window.h"
#include "sale/payment_dialog.h"
#include "sale/price_change_dialog.h"
#include "sale/receipt_models.h"
#include "sale/receipt_number_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *spacedTitle(const QString &text, QWidget *parent)
{
    auto *title = new QLabel(text, parent);
    title->setFont(scaledFont(title->font(), 1.4, true));
    title->setStyleSheet(QStringLiteral("color: #00308f"));
    return title;
}

QLabel *legend(const QString &text, const QString &hint, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: #800000"));
    label->setToolTip(hint);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}

QTableView *listView(QAbstractItemModel *model, const QString &name, QWidget *parent)
{
    QTableView *view = readOnlyGrid(model, name, parent);
    view->setTabKeyNavigation(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 10);
    view->setAlternatingRowColors(true);
    view->setFont(scaledFont(view->font(), 1.2, false));
    return view;
}

} // namespace

TFuctenka::TFuctenka(const QString &iniPath, Station &station, TFplatit &platit, TFnabcen &nabcen,
                     const LaunchSwitches &switches, QWidget *parent)
    : TFuctenka(
          ReceiptScreen::CounterSale,
          [&station](DbSession &session) {
              return std::make_unique<CounterSale>(station, session);
          },
          iniPath, platit, nabcen, switches, parent)
{}

TFuctenka::TFuctenka(ReceiptScreen screen, const SaleFactory &makeSale, const QString &iniPath,
                     TFplatit &platit, TFnabcen &nabcen, const LaunchSwitches &switches,
                     QWidget *parent)
    : QWidget(parent), m_screen(screen), m_iniPath(iniPath),
      m_templateFolder(receiptTemplateFolder()), m_programFolder(text::executableFolder()),
      m_panelIni(m_programFolder + QStringLiteral("panel.ini")), m_platit(platit), m_nabcen(nabcen),
      m_switches(switches), m_sale(makeSale(m_session)), m_linesModel(new ReceiptLinesModel(this)),
      m_todayModel(new TodayReceiptsModel(this))
{
    setWindowTitle(QStringLiteral(" Vytvoření účtenky"));
    resize(1024, 768);
    buildLayout();
    createHotKeys();
    new EnterAsTab(this);
    showReadyState();
}

TFuctenka::~TFuctenka() = default;

void TFuctenka::buildLayout()
{
    // A banner while the till has no database.
    m_offline = new QWidget(this);
    auto *offlineLayout = new QHBoxLayout(m_offline);
    auto *offlineText =
        new QLabel(QStringLiteral("Pokladna není připojena k databázi."), m_offline);
    offlineText->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    auto *retry = new QPushButton(QStringLiteral("Připojit znovu"), m_offline);
    retry->setAutoDefault(false);
    connect(retry, &QPushButton::clicked, this, &TFuctenka::FormShow);
    offlineLayout->addWidget(offlineText, 1);
    offlineLayout->addWidget(retry);

    // Left: today's receipts. Right: the receipt being built.
    m_today = listView(m_todayModel, QStringLiteral("todayReceipts"), this);
    m_lines = listView(m_linesModel, QStringLiteral("receiptLines"), this);
    if (!tableService()) {
        connect(m_lines, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
            m_lines->setCurrentIndex(index);
            smazRadkuF8();
        });
    }

    auto *left = new QGridLayout;
    left->addWidget(spacedTitle(QStringLiteral("Ú Č T E N K Y"), this), 0, 0);
    const QString refundHint = QStringLiteral("^F5 - vytvoří storno účtenku, pak ^F6 - vratka");
    left->addWidget(tableService()
                        ? legend(QStringLiteral("^F5"), refundHint, this)
                        : legend(QStringLiteral("^F4\n^F5"),
                                 QStringLiteral("^F4 - nabídne účtenku pro opravu\n") + refundHint,
                                 this),
                    0, 1);
    left->addWidget(m_today, 1, 0, 1, 2);
    auto *right = new QGridLayout;
    right->addWidget(spacedTitle(QStringLiteral("Ú Č T E N K A"), this), 0, 0);
    right->addWidget(
        legend(QStringLiteral("F8, ^F8"),
               QStringLiteral("F8   - smaže vybranou řádku\n^F8 - smaže všechny řádky "), this),
        0, 1);
    right->addWidget(m_lines, 1, 0, 1, 2);
    auto *lists = new QHBoxLayout;
    lists->addLayout(left, 3);
    lists->addLayout(right, 7);

    // The lower panel.
    const QFont big = scaledFont(font(), 2.0, true);
    const QFont buttonFont = scaledFont(font(), 1.3, true);
    m_code = new ExitLineEdit(this);
    m_code->setObjectName(QStringLiteral("codeField"));
    m_code->setMaxLength(20);
    m_code->setFont(big);
    m_code->setMinimumWidth(260);
    // Queued: the entry runs once the focus has moved on, and may then move it itself.
    connect(m_code, &ExitLineEdit::exited, this, &TFuctenka::Edit1Exit, Qt::QueuedConnection);
    auto *codeBox = new QGridLayout;
    codeBox->addWidget(m_code, 0, 0);
    codeBox->addWidget(legend(QStringLiteral("F2"), QString(), this), 0, 0,
                       Qt::AlignRight | Qt::AlignTop);

    m_keypad = new QPushButton(QStringLiteral("Klv"), this);
    m_keypad->setObjectName(QStringLiteral("klv"));
    connect(m_keypad, &QPushButton::clicked, this, &TFuctenka::KlvClick);
    m_pay = new LegendButton(QStringLiteral("PLATBA"), QStringLiteral("F5"), this);
    m_pay->setObjectName(QStringLiteral("platba"));
    connect(m_pay, &QPushButton::clicked, this, &TFuctenka::Button5Click);
    // F4 changes the price at the counter and the table in table service, where
    // the price change has a button of its own without a key.
    auto *button4 =
        tableService() ? new LegendButton(QStringLiteral("STOLY"), QStringLiteral("F4"), this)
                       : new LegendButton(QStringLiteral("ZMĚNA CENY"), QStringLiteral("F4"), this);
    button4->setObjectName(tableService() ? QStringLiteral("stoly") : QStringLiteral("zmenaCeny"));
    connect(button4, &QPushButton::clicked, this, &TFuctenka::Button4Click);
    LegendButton *priceChange = nullptr;
    if (tableService()) {
        priceChange = new LegendButton(QStringLiteral("ZMĚNA\nCENY"), QString(), this);
        priceChange->setObjectName(QStringLiteral("zmenaCeny"));
        connect(priceChange, &QPushButton::clicked, this, &TFuctenka::changeLinePrice);
    }
    auto *refund = new LegendButton(QStringLiteral("VRATKA"), QStringLiteral("^F6"), this);
    refund->setObjectName(QStringLiteral("vratka"));
    connect(refund, &QPushButton::clicked, this, &TFuctenka::Button66Click);
    auto *productList = new LegendButton(QStringLiteral("SEZNAM"), QStringLiteral("F3"), this);
    productList->setObjectName(QStringLiteral("seznam"));
    connect(productList, &QPushButton::clicked, this, &TFuctenka::Button3Click);
    auto *terminal = new LegendButton(
        tableService() ? QStringLiteral("PŘESUN") : QStringLiteral("TERMINÁL"), QString(), this);
    terminal->setObjectName(tableService() ? QStringLiteral("presun") : QStringLiteral("terminal"));
    connect(terminal, &QPushButton::clicked, this, &TFuctenka::Button11Click);
    m_print = new LegendButton(QStringLiteral("TISK"), QStringLiteral("F9"), this);
    m_print->setObjectName(QStringLiteral("tisk"));
    connect(m_print, &QPushButton::clicked, this, &TFuctenka::Button9Click);
    auto *takings = new LegendButton(QStringLiteral("TRŽBY"), QStringLiteral("F10"), this);
    takings->setObjectName(QStringLiteral("trzby"));
    connect(takings, &QPushButton::clicked, this, &TFuctenka::Button10Click);
    // These commands arrive with the commands, printing, reports and terminal work.
    m_commands = {m_pay, m_print, button4, refund, m_keypad, productList, takings};
    if (tableService())
        m_commands << terminal << priceChange;
    else
        m_terminal = terminal; // on only when the shop uses terminals
    for (QWidget *command : std::as_const(m_commands) + QList<QWidget *>{terminal}) {
        auto *b = static_cast<QPushButton *>(command);
        b->setFont(buttonFont);
        b->setMinimumHeight(56);
        b->setAutoDefault(false);
    }
    m_keypad->setMaximumWidth(70);

    m_promptName = new QLabel(this);
    m_promptName->setObjectName(QStringLiteral("promptName"));
    m_promptName->setFont(scaledFont(font(), 1.3, true));
    m_promptPrice = new QLabel(this);
    m_promptPrice->setObjectName(QStringLiteral("promptPrice"));
    m_promptPrice->setFont(scaledFont(font(), 1.3, true));
    m_promptStock = new QLabel(this);
    m_promptStock->setObjectName(QStringLiteral("promptStock"));
    m_promptStock->setFont(scaledFont(font(), 1.3, false));
    m_quantityCaption = new QLabel(QStringLiteral("Množství"), this);
    m_quantityCaption->setFont(scaledFont(font(), 1.3, true));
    m_quantity = new ExitLineEdit(this);
    m_quantity->setObjectName(QStringLiteral("quantityField"));
    m_quantity->setMaxLength(20);
    m_quantity->setFont(big);
    m_quantity->setMaximumWidth(200);
    connect(m_quantity, &ExitLineEdit::exited, this, &TFuctenka::Edit2Exit, Qt::QueuedConnection);
    m_unit = new QLabel(this);
    m_unit->setObjectName(QStringLiteral("unitLabel"));
    m_unit->setFont(scaledFont(font(), 1.3, true));
    for (QWidget *w :
         {static_cast<QWidget *>(m_promptName), static_cast<QWidget *>(m_promptPrice),
          static_cast<QWidget *>(m_promptStock), static_cast<QWidget *>(m_quantityCaption),
          static_cast<QWidget *>(m_quantity), static_cast<QWidget *>(m_unit)}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
    }

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("totalLabel"));
    m_total->setFont(scaledFont(font(), 3.2, true));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->installEventFilter(this);
    m_total->setToolTip(QStringLiteral("Dvojklik: tržba dne a pokladna"));
    m_total->setStyleSheet(
        QStringLiteral("color: #00308f; background: #fffbe6; border: 1px solid #c8b560;"
                       "padding: 2px 12px"));

    auto *upper = new QHBoxLayout;
    upper->addLayout(codeBox, 3);
    upper->addWidget(m_keypad);
    if (tableService()) {
        // The order being worked on, in big letters beside the code field.
        m_tableLabel = new QLabel(this);
        m_tableLabel->setObjectName(QStringLiteral("LabelStul"));
        QFont tableFont = font();
        tableFont.setPixelSize(48);
        tableFont.setBold(true);
        m_tableLabel->setFont(tableFont);
        m_tableLabel->setStyleSheet(QStringLiteral("color: #006400"));
        m_tableLabel->setMinimumWidth(200);
        m_tableLabel->setAlignment(Qt::AlignCenter);
        upper->addWidget(m_tableLabel, 2);
    }
    upper->addWidget(m_pay, 2);
    upper->addWidget(button4, 2);
    upper->addWidget(refund, 2);
    auto *prompt = new QHBoxLayout;
    prompt->addWidget(m_promptName, 4);
    prompt->addWidget(m_promptPrice, 2);
    prompt->addWidget(m_promptStock, 2);
    prompt->addWidget(m_quantityCaption);
    prompt->addWidget(m_quantity, 1);
    prompt->addWidget(m_unit);
    auto *lower = new QHBoxLayout;
    lower->addWidget(m_total, 4);
    lower->addWidget(productList, 2);
    lower->addWidget(terminal, 2);
    if (priceChange)
        lower->addWidget(priceChange, 2);
    lower->addWidget(m_print, 1);
    lower->addWidget(takings, 1);

    auto *panel = new QFrame(this);
    m_lowerPanel = panel;
    panel->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(upper);
    panelLayout->addLayout(prompt);
    panelLayout->addLayout(lower);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_offline);
    layout->addLayout(lists, 1);
    layout->addWidget(panel);

    setTabOrder(m_code, m_quantity);
    setTabOrder(m_quantity, m_keypad);
    hidePrompt();
}

void TFuctenka::createHotKeys()
{
    auto key = [this](const QKeySequence &sequence, auto slot) {
        auto *shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::ApplicationShortcut);
        shortcut->setEnabled(false);
        connect(shortcut, &QShortcut::activated, this, slot);
        return shortcut;
    };
    m_hotKeys = {
        key(QKeySequence(Qt::Key_F2), &TFuctenka::focusCodeField),
        key(QKeySequence(Qt::Key_F3), &TFuctenka::Button3Click),
        key(QKeySequence(Qt::Key_F10), &TFuctenka::Button10Click),
        key(QKeySequence(Qt::Key_F4), &TFuctenka::Button4Click),
        key(QKeySequence(Qt::Key_F5), &TFuctenka::Button5Click),
        key(QKeySequence(Qt::Key_F8), &TFuctenka::deleteLineKey),
        key(QKeySequence(Qt::Key_F9), &TFuctenka::Button9Click),
        key(QKeySequence(Qt::CTRL | Qt::Key_F5), &TFuctenka::copyKey),
        key(QKeySequence(Qt::CTRL | Qt::Key_F6), &TFuctenka::Button66Click),
        key(QKeySequence(Qt::CTRL | Qt::Key_F8), &TFuctenka::deleteAllLines),
    };
    if (tableService())
        return;
    // The counter's own keys: correction and the one-shot sale below stock.
    m_hotKeys << key(QKeySequence(Qt::CTRL | Qt::Key_F4), &TFuctenka::correctionKey);
    m_belowStockKey =
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10), &TFuctenka::allowBelowStock);
}

void TFuctenka::HotKey(bool on)
{
    m_hotKeysOn = on;
    for (QShortcut *k : std::as_const(m_hotKeys))
        k->setEnabled(on);
    if (m_belowStockKey)
        m_belowStockKey->setEnabled(on && m_sale->config().nepovolitDoMinusu);
    // Switching on also ends the keypad's use for the current entry.
    if (on)
        m_keypadUsed = false;
}

void TFuctenka::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        QTimer::singleShot(0, this, &TFuctenka::FormShow);
    }
}

void TFuctenka::FormShow()
{
    HotKey(false);
    const Config config = Config::load(m_iniPath);
    // A program about to be replaced prepares nothing.
    if (config.testovatVerzi && !config.aktualizaceURL.isEmpty() && startUpdate(config))
        return;
    const bool started = runGuarded(this, [&] {
        PleaseWait wait(QStringLiteral("Účtenka - načítám číselníky"));
        if (config.dotykMonitor && !m_keypadWindow)
            m_keypadWindow = std::make_unique<TFnumklav>();
        m_sale->start(config);
        // Only the counter drives the customer display.
        m_display.start(tableService() ? 0 : config.panel, m_panelIni,
                        [this](PortSettings &s) { askPortSettings(s, this); });
        refreshLines();
        ZobrDen();
        wait.setCaption(QStringLiteral("Účtenka - načítám seznam"));
        m_nabcen.attach(m_session, m_sale->station().stredisko, m_switches, m_templateFolder);
        wait.setCaption(QStringLiteral("Účtenka - načítám seznam 2"));
        wait.setCaption(QStringLiteral("Účtenka - načítám EAN"));
        wait.setCaption(QStringLiteral("Účtenka - načítám FOFR"));
    });
    showReadyState();
    if (!started)
        return;
    showMaximized();
    if (const QString problem = m_drawer.configure(config.otevreniSupliku, config.suplikZarizeni);
        !problem.isEmpty())
        showError(this, problem);
    if (!config.vatRatesProblem.isEmpty())
        showError(this, config.vatRatesProblem);
    m_code->clear();
    focusCodeField();
    HotKey(true);
    afterStart();
}

bool TFuctenka::startUpdate(const Config &config)
{
    QString result = QStringLiteral("N");
    {
        PleaseWait wait(QStringLiteral("Prodej - kontrola nové verze"));
        result = update::check(m_programFolder, QUrl(config.aktualizaceURL), update::kStem,
                               update::kProgramFile, true);
    }
    if (result != QLatin1String("A"))
        return false;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Prodej"),
                    QStringLiteral("Nyní bude aktualizován program Kasenka.\n"
                                   "Bude proveden restart programu!"),
                    QMessageBox::Ok, this);
    box.exec();
    QCoreApplication::processEvents();
    const QString updater = QDir(m_programFolder).filePath(update::kStem + QStringLiteral(".exe"));
    if (!QProcess::startDetached(updater, {}, m_programFolder)) {
        // Better the old version than no till at all.
        showError(this, QStringLiteral("Aktualizaci (%1) se nepodařilo spustit, program "
                                       "pokračuje v dosavadní verzi.")
                            .arg(updater));
        return false;
    }
    m_updating = true;
    close();
    return true;
}

void TFuctenka::showReadyState()
{
    const bool ready = m_sale->isReady();
    m_offline->setVisible(!ready);
    m_code->setEnabled(ready);
    for (QWidget *w : std::as_const(m_commands))
        w->setEnabled(ready);
    if (m_terminal)
        m_terminal->setEnabled(ready && m_sale->config().terminal != 0);
    if (!ready) {
        m_linesModel->clear();
        m_todayModel->clear();
        m_total->setText(text::formatAmount(0));
    }
    adjustColumns();
}

void TFuctenka::focusCodeField()
{
    focusField(m_code);
}

void TFuctenka::focusField(QWidget *field)
{
    // After a message box the screen may not be the active window yet.
    activateWindow();
    field->setFocus(Qt::OtherFocusReason);
}

void TFuctenka::showMessage(const QString &message)
{
    if (!message.isEmpty())
        showError(this, message);
}

void TFuctenka::Edit1Exit()
{
    if (m_entryRunning || !m_sale->isReady() || m_code->text().isEmpty())
        return;
    m_entryRunning = true;
    if (m_sale->config().dotykMonitor && m_keypadWindow)
        m_keypadWindow->hide();
    const QString fixed = typedCode(m_code->text());
    m_code->setText(fixed);
    HotKey(false);
    EntryOutcome outcome;
    if (!runGuarded(this, [&] { outcome = m_sale->enterCode(fixed); })) {
        recover();
        m_entryRunning = false;
        return;
    }
    switch (outcome.result) {
    case EntryOutcome::Result::Written:
        afterLineWritten();
        break;
    case EntryOutcome::Result::Prompt:
        openPrompt(outcome.prompt);
        break;
    default:
        showMessage(outcome.message);
        abandon();
    }
    m_entryRunning = false;
}

QString TFuctenka::typedCode(const QString &text) const
{
    return text::fixScannerDigits(text);
}

void TFuctenka::openPrompt(const QuantityPrompt &prompt)
{
    m_promptName->setText(prompt.name);
    m_promptPrice->setText(prompt.price);
    m_promptStock->setText(prompt.stock);
    m_unit->setText(prompt.unit);
    for (QWidget *w :
         {static_cast<QWidget *>(m_promptName), static_cast<QWidget *>(m_promptPrice),
          static_cast<QWidget *>(m_promptStock), static_cast<QWidget *>(m_quantityCaption),
          static_cast<QWidget *>(m_quantity), static_cast<QWidget *>(m_unit)})
        w->show();
    // Table service has no stock: its place shows the order.
    m_promptStock->setVisible(!tableService());
    if (m_sale->config().dotykMonitor && m_keypadUsed && m_keypadWindow) {
        m_quantity->clear();
        m_keypadWindow->showFor(this, Keypad::Target::QuantityField, QStringLiteral("1"));
        return;
    }
    m_quantity->setText(QStringLiteral("1"));
    focusField(m_quantity);
    m_quantity->selectAll();
}

void TFuctenka::hidePrompt()
{
    for (QWidget *w :
         {static_cast<QWidget *>(m_promptName), static_cast<QWidget *>(m_promptPrice),
          static_cast<QWidget *>(m_promptStock), static_cast<QWidget *>(m_quantityCaption),
          static_cast<QWidget *>(m_quantity), static_cast<QWidget *>(m_unit)})
        w->hide();
}

void TFuctenka::Edit2Exit()
{
    if (m_entryRunning || !m_quantity->isVisible())
        return;
    m_entryRunning = true;
    QString text = m_quantity->text();
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    m_quantity->setText(text);
    EntryOutcome outcome;
    const bool ok = runGuarded(this, [&] { outcome = m_sale->leaveQuantityPrompt(text); });
    if (ok && outcome.result == EntryOutcome::Result::StayInPrompt) {
        showMessage(outcome.message);
        focusField(m_quantity);
        m_entryRunning = false;
        return;
    }
    hidePrompt();
    if (!ok)
        recover();
    else if (outcome.result == EntryOutcome::Result::Written)
        afterLineWritten();
    else {
        showMessage(outcome.message);
        abandon();
    }
    m_entryRunning = false;
}

void TFuctenka::afterLineWritten()
{
    m_code->clear();
    runGuarded(this, [this] { refreshLines(); });
    const QSqlRecord &product = m_sale->lastProduct();
    m_display.lineWritten(product.value(QStringLiteral("zkratka")).toString(),
                          product.value(QStringLiteral("pcsd")).toDouble(), m_total->text());
    focusCodeField();
    HotKey(true);
}

void TFuctenka::abandon()
{
    m_code->clear();
    focusCodeField();
    HotKey(true);
}

void TFuctenka::recover()
{
    hidePrompt();
    m_code->clear();
    try {
        m_sale->SpoctiSoucet();
        refreshLines();
        ZobrDen();
    } catch (const std::exception &) {
        // The message about the server has been shown already.
    }
    focusCodeField();
    HotKey(true);
}

void TFuctenka::refreshLines()
{
    if (!m_sale->isReady())
        return;
    m_session.fillModel(*m_linesModel, m_sale->receiptLinesQuery());
    while (m_linesModel->canFetchMore())
        m_linesModel->fetchMore();
    // The list points at the last line, the one written last.
    if (const int rows = m_linesModel->rowCount(); rows > 0)
        m_lines->setCurrentIndex(m_linesModel->index(rows - 1, ReceiptLinesModel::Nazev));
    m_lines->scrollToBottom();
    adjustColumns();
    showTotal();
    linesRefreshed();
}

void TFuctenka::showTotal()
{
    // Every change of the lines has recomputed the total already.
    m_total->setText(text::formatAmount(m_sale->total()));
}

void TFuctenka::ZobrDen()
{
    m_session.fillModel(*m_todayModel, m_sale->todayReceiptsQuery());
    for (int c :
         {TodayReceiptsModel::Cisuctenky, TodayReceiptsModel::Datum, TodayReceiptsModel::Typplatby})
        m_today->hideColumn(c);
    QHeaderView *header = m_today->horizontalHeader();
    header->moveSection(header->visualIndex(TodayReceiptsModel::Soucetu), header->count() - 1);
    header->setSectionResizeMode(QHeaderView::Stretch);
    if (m_todayModel->rowCount() > 0)
        m_today->setCurrentIndex(m_todayModel->index(0, TodayReceiptsModel::Cislo));
}

void TFuctenka::deleteLineKey()
{
    if (m_linesModel->rowCount() == 0)
        return;
    if (!m_lines->hasFocus()) {
        m_lines->setFocus(Qt::ShortcutFocusReason);
        if (!m_lines->currentIndex().isValid())
            m_lines->setCurrentIndex(
                m_linesModel->index(m_linesModel->rowCount() - 1, ReceiptLinesModel::Nazev));
        return;
    }
    smazRadkuF8();
}

void TFuctenka::smazRadkuF8()
{
    const QModelIndex current = m_lines->currentIndex();
    if (!current.isValid() || !m_sale->isReady())
        return;
    const int id2 = m_linesModel->id2At(current.row());
    double removed = 0;
    if (!runGuarded(this, [&] {
            removed = m_sale->deleteLine(id2);
            refreshLines();
        })) {
        recover();
        return;
    }
    m_display.lineDeleted(removed, m_total->text());
    focusCodeField();
}

void TFuctenka::allowBelowStock()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Prodej"),
                    QStringLiteral("Povolit položku do mínusu?"), QMessageBox::NoButton, this);
    QPushButton *allow = box.addButton(QStringLiteral("Povolit"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Zpět"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == allow)
        m_sale->allowBelowStockOnce();
    focusCodeField();
}

void TFuctenka::Button5Click()
{
    if (!m_sale->isReady())
        return;
    HotKey(false);
    const int due = amountDue(m_sale->total());
    m_display.amountDue(due);
    const std::optional<PaymentChoice> choice =
        m_platit.platba(due, m_sale->config().platbaKartou, m_session, !tableService());
    ReceiptState &receipt = m_sale->receipt();
    if (choice) {
        receipt.paymentMode = choice->mode;
        receipt.paid = choice->paid;
        receipt.cardDiscount = choice->cardDiscount;
        receipt.cardNumber = choice->cardNumber;
        qint64 number = 0;
        if (runGuarded(this, [&] { number = m_sale->UlozUcte(); })) {
            m_display.farewell();
            if (choice->mode == PaymentMode::Cash)
                openDrawer();
            printAfterCommit(number);
        }
        m_code->clear();
    }
    receipt.cardDiscount = 0;
    receipt.cardNumber.clear();
    recover();
    afterPayment();
}

void TFuctenka::openDrawer()
{
    if (const QString problem = m_drawer.open(); !problem.isEmpty())
        showError(this, problem);
}

void TFuctenka::printAfterCommit(qint64 number)
{
    if (m_switches.noPrint)
        return;
    // Right after the commit, on its connection: the data set reads @CiUc.
    ReceiptPrint print(m_screen, m_sale->config().typUctenky, m_templateFolder);
    print.setVatRates(m_sale->config().vatRates);
    if (!runGuarded(this, [&] { print.load(m_session); }))
        return;
    if (m_switches.designer) {
        designReport(print.report(), this);
        return;
    }
    QString error;
    if (!print.report().prepare())
        error = print.report().error();
    else if (printReport(print.report(), false, this, &error))
        return;
    showError(this, QStringLiteral("Účtenka %1 je uložena, ale nevytiskla se: %2\n"
                                   "Vytisknout ji lze znovu tlačítkem TISK (F9).")
                        .arg(number)
                        .arg(error));
}

void TFuctenka::Button9Click()
{
    if (!m_sale->isReady())
        return;
    const QModelIndex current = m_today->currentIndex();
    const int running =
        current.isValid()
            ? m_todayModel->index(current.row(), TodayReceiptsModel::Cislo).data().toInt()
            : 0;
    std::optional<qint64> number;
    const bool asked = runGuarded(this, [&] {
        TFtiskuct dialog(this);
        number =
            dialog.ask(QDate::currentDate().year() - 2000, m_sale->station().stredisko, running);
    });
    ReceiptPrint print(m_screen, m_sale->config().typUctenky, m_templateFolder);
    print.setVatRates(m_sale->config().vatRates);
    if (asked && number && runGuarded(this, [&] { print.load(m_session, *number); })) {
        // At the counter a preview; at the tables straight to a printer, chosen first.
        if (!tableService() || m_switches.designer)
            showReport(print.report(), m_switches.designer, this);
        else if (!print.report().prepare())
            showError(this, print.report().error());
        else if (QString error; !printReport(print.report(), true, this, &error))
            showError(this, error);
    }
    focusCodeField();
}

bool TFuctenka::todayListReady()
{
    // Two presses: the first only moves into today's list to choose a receipt.
    if (m_todayModel->rowCount() == 0)
        return false;
    if (!m_today->hasFocus()) {
        m_today->setFocus(Qt::ShortcutFocusReason);
        if (!m_today->currentIndex().isValid())
            m_today->setCurrentIndex(m_todayModel->index(0, TodayReceiptsModel::Cislo));
        return false;
    }
    return m_today->currentIndex().isValid();
}

qint64 TFuctenka::selectedReceipt() const
{
    return m_todayModel->index(m_today->currentIndex().row(), TodayReceiptsModel::Cisuctenky)
        .data()
        .toLongLong();
}

void TFuctenka::loadReceipt(const QString &caption, const std::function<void(qint64)> &load)
{
    if (!m_sale->isReady() || !todayListReady())
        return;
    HotKey(false);
    const qint64 number = selectedReceipt();
    runGuarded(this, [&] {
        PleaseWait wait(caption);
        load(number);
    });
    // Also after an error: the work receipt is as the script left it, whole.
    recover();
}

void TFuctenka::correctionKey()
{
    loadReceipt(QStringLiteral("Storno účtenky - čekej"),
                [this](qint64 n) { m_sale->loadForCorrection(n); });
}

void TFuctenka::copyKey()
{
    loadReceipt(QStringLiteral("Kopie účtenky - čekej"),
                [this](qint64 n) { m_sale->copyForRefund(n); });
}

void TFuctenka::Button66Click()
{
    if (!m_sale->isReady())
        return;
    HotKey(false);
    qint64 number = 0;
    if (runGuarded(this, [&] { number = m_sale->refund(); })) {
        openDrawer(); // the money goes back to the customer
        printAfterCommit(number);
    }
    m_sale->receipt().cardDiscount = 0;
    m_sale->receipt().cardNumber.clear();
    recover();
}

void TFuctenka::deleteAllLines()
{
    if (!m_sale->isReady())
        return;
    if (!runGuarded(this, [this] {
            m_sale->deleteAllLines();
            refreshLines();
        }))
        recover();
}

void TFuctenka::Button4Click()
{
    changeLinePrice();
}

void TFuctenka::changeLinePrice()
{
    if (!m_sale->isReady())
        return;
    HotKey(false);
    const QModelIndex current = m_lines->currentIndex();
    if (m_linesModel->rowCount() > 0 && current.isValid()) {
        const int id2 = m_linesModel->id2At(current.row());
        runGuarded(this, [&] {
            const CounterSale::LinePrices prices = m_sale->linePrices(id2);
            TFzmenac dialog(this);
            // Table lines carry no purchase price.
            const std::optional<double> purchase =
                tableService() ? std::nullopt : std::optional<double>(prices.purchasePrice);
            if (const auto change = dialog.ask(prices.listPrice, purchase))
                m_sale->changePrice(id2, change->newPrice, change->percent, change->discountKc);
        });
    }
    recover();
}

void TFuctenka::Button11Click()
{
    if (!m_sale->isReady() || m_sale->config().terminal == 0)
        return;
    HotKey(false);
    m_sale->receipt().deliveryCustomer.clear();
    TFztermuc notes(m_session, m_sale->station().stredisko, this);
    if (notes.exec() == QDialog::Accepted) {
        const QString customer = notes.currentCustomer();
        runGuarded(this, [&] { m_sale->takeOverNote(customer); });
    }
    recover();
}

void TFuctenka::KlvClick()
{
    focusCodeField();
    m_keypadUsed = false;
    if (!m_sale->config().dotykMonitor || !m_keypadWindow)
        return;
    m_keypadUsed = true;
    // Beside "Klv", above the lower panel.
    const int left = m_keypad->mapToGlobal(QPoint(m_keypad->width() + 10, 0)).x();
    const int top = m_lowerPanel->mapToGlobal(QPoint(0, 0)).y() - m_keypadWindow->height();
    m_keypadWindow->move(left, top);
    m_keypadWindow->showFor(this, Keypad::Target::CodeField, QString());
}

QLineEdit *TFuctenka::keypadCodeField()
{
    return m_code;
}

QLineEdit *TFuctenka::keypadQuantityField()
{
    return m_quantity;
}

void TFuctenka::keypadCodeEntered()
{
    Edit1Exit();
}

void TFuctenka::keypadQuantityEntered()
{
    Edit2Exit();
}

void TFuctenka::Button3Click()
{
    if (!m_sale->isReady())
        return;
    HotKey(false);
    const int tag =
        m_nabcen.showList(m_sale->station().cisloPC, m_sale->config().prepocitatStav ? -1 : 0);
    if (tag < 1) {
        m_code->clear();
        HotKey(true);
        focusCodeField();
        return;
    }
    m_keypadUsed = false;
    m_code->setText(m_nabcen.currentJkpov());
    focusCodeField();
    Edit1Exit();
}

void TFuctenka::Button10Click()
{
    if (!m_sale->isReady())
        return;
    TFtrzby1 reports(m_session, m_sale->station().cisloPC, m_sale->station().stredisko, m_switches,
                     QFileInfo(m_templateFolder).absoluteFilePath(), this);
    reports.setVatRates(m_sale->config().vatRates);
    reports.exec();
    focusCodeField();
}

void TFuctenka::LabelSoucetSDblClick()
{
    if (!m_sale->isReady())
        return;
    const Config config = Config::load(m_iniPath);
    DayTotals totals;
    if (!runGuarded(this, [&] {
            totals = readDayTotals(m_session, config, m_sale->station().cisloPC,
                                   m_sale->station().stredisko);
        }))
        return;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Prodej"), dayTotalsMessage(totals),
                    QMessageBox::Ok, this);
    box.exec();
}

bool TFuctenka::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_total && event->type() == QEvent::MouseButtonDblClick && !tableService()) {
        LabelSoucetSDblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFuctenka::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    adjustColumns();
}

void TFuctenka::adjustColumns()
{
    m_lines->hideColumn(ReceiptLinesModel::Id2);
    if (m_linesModel->columnCount() == 0)
        return;
    const int width = m_lines->viewport()->width();
    if (tableService()) {
        m_lines->hideColumn(ReceiptLinesModel::Jkpov);
        m_lines->setColumnWidth(ReceiptLinesModel::Nazev, std::max(120, width - 375));
        m_lines->setColumnWidth(ReceiptLinesModel::Pcsd, 110);
        m_lines->setColumnWidth(ReceiptLinesModel::Mnoz, 75);
        m_lines->setColumnWidth(ReceiptLinesModel::Mj, 40);
        m_lines->horizontalHeader()->setStretchLastSection(true);
        return;
    }
    const bool showCode = Config::load(m_iniPath).zobrazitJKPOV;
    m_lines->setColumnHidden(ReceiptLinesModel::Jkpov, !showCode);
    m_lines->setColumnWidth(ReceiptLinesModel::Jkpov, 85);
    m_lines->setColumnWidth(ReceiptLinesModel::Nazev,
                            std::max(120, width - (showCode ? 460 : 375)));
    m_lines->setColumnWidth(ReceiptLinesModel::Pcsd, 105);
    m_lines->setColumnWidth(ReceiptLinesModel::Mnoz, 105);
    m_lines->setColumnWidth(ReceiptLinesModel::Mj, 45);
    m_lines->horizontalHeader()->setStretchLastSection(true);
}

void TFuctenka::closeEvent(QCloseEvent *event)
{
    HotKey(false);
    runGuarded(this, [this] { m_sale->close(); });
    event->accept();
}
