#pragma once

#include "devices/customer_display.h"

class QWidget;

// The serial settings of the customer display, asked once when "panel.ini" is
// missing. Changes apply only on OK; the settings are stored either way.
void askPortSettings(PortSettings &settings, QWidget *parent);
