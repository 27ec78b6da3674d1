#pragma once

#include <QString>

#include <stdexcept>

// A problem the cashier or the shop's administrator can act on, told in Czech.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
