#pragma once

#include <QString>
#include <QStringList>

class DbSession;

// Moving whole lines or parts of them from one open order to another, through two
// scratch tables: tmp<PC>uct1 (the source's lines, quantities going down) and
// tmp<PC>uctx (the parts moved so far). Nothing in the orders changes until done().
class TableMove
{
public:
    TableMove(DbSession &session, QString cisloPC, QString source, QString target);

    // Prepares the scratch tables ("ax.txt"). The source copy's `id` is zeroed, so
    // that every moved part, also of a storno copy, gets an id of its own.
    void open();
    QString sourceLinesQuery() const;
    // Moves `quantity` of source line `id2` to the target's parts.
    void moveLine(int id2, double quantity);
    // The sum of `cenar` of the parts moved so far.
    double movedTotal();
    // Rewrites both orders in one transaction ("ax.txt"): the source keeps its
    // remaining lines, the target gets the moved parts as lines of their own.
    void done();
    // What stays at the source after done(), for its map panel.
    double sourceTotalAfterMove();

    QStringList openScript() const;
    QStringList doneScript() const;

private:
    QString table(const char *suffix) const;

    DbSession &m_session;
    QString m_cisloPC;
    QString m_source;
    QString m_target;
};
