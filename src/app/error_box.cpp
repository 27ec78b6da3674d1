#include "app/error_box.h"

#include "app/user_error.h"
#include "store/db_error.h"

#include <QMessageBox>

void showError(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Chyba"), message, QMessageBox::Ok,
                    parent);
    box.exec();
}

bool runGuarded(QWidget *parent, const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const DbError &e) {
        showError(parent, e.cashierMessage());
    } catch (const UserError &e) {
        showError(parent, e.message());
    }
    return false;
}
