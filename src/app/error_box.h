#pragma once

#include <QString>

#include <functional>

class QWidget;

// A plain error box with one OK button.
void showError(QWidget *parent, const QString &message);

// Runs one step of a window. A database error or a refused setting stops the step
// and is shown in an error box with its own text. Returns false when it stopped.
bool runGuarded(QWidget *parent, const std::function<void()> &step);
