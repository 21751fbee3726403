#pragma once
// Filling the window's long lists (species check-list, the two mechanism text tabs) from the
// mechanism model. Mechanisms run to thousands of lines: the items are made in one pass with the
// list's signals and repaints held back, so a fill costs one layout, not one per line.

#include <QString>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"

class QListWidget;

namespace vantor {

// Replaces the items of `list` with checkable items, one per text, checked where `marks` says.
void FillCheckList(QListWidget* list, const std::vector<QString>& texts, const std::vector<bool>& marks);

void FillSpeciesList(QListWidget* list, const MechanismModel& model);
void FillMechanismText(QListWidget* list, const MechanismModel& model);
// An item of the efficiency clean-up holds two lines joined by CR LF; it shows as two lines.
void FillReducedText(QListWidget* list, const MechanismModel& model);

}  // namespace vantor
