#pragma once

#include "app/config.h"
#include "devices/cash_drawer.h"
#include "devices/customer_display.h"
#include "devices/receipt_print.h"
#include "sale/counter_sale.h"
#include "sale/keypad_window.h"
#include "store/db_session.h"

#include <QWidget>

#include <functional>
#include <memory>

class ExitLineEdit;
class LegendButton;
class QLabel;
class QPushButton;
class QShortcut;
class QTableView;
class ReceiptLinesModel;
class Station;
class TFnabcen;
class TFplatit;
class TodayReceiptsModel;

// The counter-sale screen, the main window of counter sale: today's receipts on
// the left, the receipt being built on the right, the code field, the quantity
// prompt, the big total and the command buttons below.
class TFuctenka : public QWidget, public KeypadOwner
{
    Q_OBJECT
public:
    TFuctenka(const QString &iniPath, Station &station, TFplatit &platit, TFnabcen &nabcen,
              const LaunchSwitches &switches, QWidget *parent = nullptr);
    ~TFuctenka() override;

    bool isReady() const { return m_sale->isReady(); }
    DbSession &session() { return m_session; }
    CounterSale &sale() { return *m_sale; }

    // Where the receipt templates are ("fr3" beside the program unless changed).
    void setTemplateFolder(const QString &folder) { m_templateFolder = folder; }
    // Where the update check keeps its files and finds the program file (the
    // program's own folder unless changed).
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    // The customer display's port settings file ("panel.ini" beside the program).
    void setPanelIni(const QString &path) { m_panelIni = path; }
    const CustomerDisplay &customerDisplay() const { return m_display; }
    const CashDrawer &cashDrawer() const { return m_drawer; }
    // True once an update has been started and the screen closed for it.
    bool updating() const { return m_updating; }

    // Switches the screen's command keys on or off together.
    void HotKey(bool on);
    bool hotKeysOn() const { return m_hotKeysOn; }
    bool keypadUsed() const { return m_keypadUsed; }
    TFnumklav *keypadWindow() const { return m_keypadWindow.get(); }

    QLineEdit *keypadCodeField() override;
    QLineEdit *keypadQuantityField() override;
    void keypadCodeEntered() override;
    void keypadQuantityEntered() override;

public slots:
    // The screen's start-up: runs when the window is first shown.
    void FormShow();

protected:
    // A receipt screen of either kind, with its own logic. `screen` chooses the
    // layout, the keys and the receipt templates.
    using SaleFactory = std::function<std::unique_ptr<CounterSale>(DbSession &)>;
    TFuctenka(ReceiptScreen screen, const SaleFactory &makeSale, const QString &iniPath,
              TFplatit &platit, TFnabcen &nabcen, const LaunchSwitches &switches, QWidget *parent);

    bool tableService() const { return m_screen == ReceiptScreen::TableService; }
    // Steps where the table receipt screen differs.
    // The code field's text as it is looked up.
    virtual QString typedCode(const QString &text) const;
    // After the start-up, once the screen is ready.
    virtual void afterStart() {}
    // After a payment, committed or not.
    virtual void afterPayment() {}
    // After the lines were re-read.
    virtual void linesRefreshed() {}
    // "TERMINÁL" (terminal delivery notes) / "PŘESUN".
    virtual void Button11Click();
    // F4: "ZMĚNA CENY" / "STOLY".
    virtual void Button4Click();

    // Price change of the selected line.
    void changeLinePrice();
    void focusCodeField();
    // Re-reads the lines and the total, also after a server error (without a
    // second message), and gives the code field the keys back.
    void recover();
    // Re-reads the line list and shows the total; today's receipts apart.
    void refreshLines();

    QLabel *m_tableLabel = nullptr;

    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    // The update check at start; true when the updater was started and the screen
    // closes.
    bool startUpdate(const Config &config);
    void createHotKeys();
    // Item entry when the code field is left with text in it.
    void Edit1Exit();
    // The quantity prompt's exit.
    void Edit2Exit();
    void openPrompt(const QuantityPrompt &prompt);
    void hidePrompt();
    void afterLineWritten();
    // Ends an entry without a line: code field emptied and focused, keys on.
    void abandon();
    void showMessage(const QString &message);
    // Payment ("PLATBA", F5).
    void Button5Click();
    // Opens the cash drawer, when the shop has one; a failure only gives a message.
    void openDrawer();
    // Prints the receipt just committed; a failing printer only gives a message.
    void printAfterCommit(qint64 number);
    // Reprint ("TISK", F9): asks for the number and previews the receipt.
    void Button9Click();
    // Ctrl+F4, Ctrl+F5: two presses on today's receipts, then load the selected one.
    bool todayListReady();
    qint64 selectedReceipt() const;
    void loadReceipt(const QString &caption, const std::function<void(qint64)> &load);
    void correctionKey();
    void copyKey();
    // "VRATKA", Ctrl+F6.
    void Button66Click();
    // Ctrl+F8.
    void deleteAllLines();
    // "Klv": the keypad for the code field (touch screens).
    void KlvClick();
    // "SEZNAM", F3: the product list; a product taken over is entered at once.
    void Button3Click();
    // "TRŽBY", F10: the sales reports.
    void Button10Click();
    // A double click on the total: today's cash, the cash book and their sum.
    void LabelSoucetSDblClick();
    // F8: focus the line list first, then delete its selected line.
    void deleteLineKey();
    void smazRadkuF8();
    void allowBelowStock();
    void focusField(QWidget *field);

    void showTotal();
    void ZobrDen();
    void showReadyState();
    void adjustColumns();

    ReceiptScreen m_screen;
    QString m_iniPath;
    QString m_templateFolder;
    QString m_programFolder;
    QString m_panelIni;
    CustomerDisplay m_display;
    CashDrawer m_drawer;
    bool m_updating = false;
    TFplatit &m_platit;
    TFnabcen &m_nabcen;
    LaunchSwitches m_switches;
    DbSession m_session;
    std::unique_ptr<CounterSale> m_sale;
    bool m_shownOnce = false;
    bool m_entryRunning = false;
    bool m_hotKeysOn = false;
    bool m_keypadUsed = false;
    std::unique_ptr<TFnumklav> m_keypadWindow;

    ReceiptLinesModel *m_linesModel;
    TodayReceiptsModel *m_todayModel;
    QWidget *m_offline;
    QTableView *m_today;
    QTableView *m_lines;
    ExitLineEdit *m_code;
    QPushButton *m_keypad;
    QLabel *m_promptName;
    QLabel *m_promptPrice;
    QLabel *m_promptStock;
    QLabel *m_quantityCaption;
    ExitLineEdit *m_quantity;
    QLabel *m_unit;
    QLabel *m_total;
    LegendButton *m_pay;
    LegendButton *m_print;
    QWidget *m_terminal = nullptr;
    QList<QWidget *> m_commands;
    QWidget *m_lowerPanel = nullptr;
    QList<QShortcut *> m_hotKeys;
    QShortcut *m_belowStockKey = nullptr;
};
