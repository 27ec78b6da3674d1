#pragma once

#include <QString>

// The last script or statement of each kind is kept in a file of the current
// folder, so that it is at hand when something goes wrong.
enum class Trace {
    None,
    Au, // "au.txt": line write, commit, delete all, price change
    A4, // "a4.txt": correction, copy, terminal take-over
    A,  // "a.txt": report queries
    Ax, // "ax.txt": moving items
};

QString traceFileName(Trace trace);
// Replaces the trace file with the text; a file that cannot be written is no error.
void writeTrace(Trace trace, const QString &text);
