#pragma once

#include <QString>
#include <QStringList>

// Delivery notes collected with a hand-held terminal (table `dlterm`), one note
// per customer code and branch.
namespace terminal {

// Gives every collected line the current name, unit, prices and VAT rate.
QString refreshStatement();
// One row per customer of the branch: id, datum, odberatel, cas, suma, sumasd.
QString notesQuery(const QString &stredisko);
QString linesQuery(const QString &stredisko, const QString &odberatel);
QString deleteStatement(const QString &stredisko, const QString &odberatel);
// Replaces the work receipt with the note's lines, priced and described from
// the product list, dated now.
QStringList takeOverScript(const QString &cisloPC, const QString &stredisko,
                           const QString &odberatel);

} // namespace terminal
