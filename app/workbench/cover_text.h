#pragma once
// The text the main window shows until a mechanism is opened.

#include <QString>

QString CoverText();
