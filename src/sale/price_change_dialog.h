#pragma once

#include <QDialog>

#include <optional>

class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// The price change of a line: a new price typed directly, or derived from the
// list price by a discount in percent or in crowns.
class TFzmenac : public QDialog
{
    Q_OBJECT
public:
    struct Result
    {
        double newPrice = 0;
        int percent = 0;
        double discountKc = 0;
    };

    explicit TFzmenac(QWidget *parent = nullptr);

    // Opens the dialog for a line with this list price; the purchase price label
    // stays empty when there is none (table service). Nothing when cancelled.
    std::optional<Result> ask(double listPrice, std::optional<double> purchasePrice);

protected:
    void done(int result) override;

private:
    void percentLeft();
    void discountLeft();

    QDoubleSpinBox *m_newPrice;
    QSpinBox *m_percent;
    QDoubleSpinBox *m_discountKc;
    QDoubleSpinBox *m_listPrice;
    QLabel *m_purchasePrice;
    bool m_closing = false;
};
