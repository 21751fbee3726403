#pragma once
// Filling the window's long lists (species check-list, the two mechanism text tabs) from the
// mechanism model. Mechanisms run to thousands of lines: the items are made in one pass with the
// list's signals and repaints held back, so a fill costs one layout, not one per line.

#include <QFont>
#include <QString>
#include <QStyledItemDelegate>
#include <array>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"

class QListWidget;

namespace vantor {

// The items of the text lists: `lineHeight` pixels a line (an item may hold two lines). A plain
// text item is as wide as its widest line, summed from the advances of its characters: the
// style's full text layout per item costs more than all the rest of filling a list of thousands
// of lines. Kerning is not counted; a margin of one average character each side covers it.
// Checkable items keep the style's width, which includes the check box.
class TextLineDelegate : public QStyledItemDelegate {
public:
    TextLineDelegate(int lineHeight, QObject* parent);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int lineHeight_;
    mutable QFont font_;                     // the font the advances were measured in
    mutable std::array<int, 128> advances_;  // of the ASCII characters; -1 not measured yet
};

// Replaces the items of `list` with checkable items, one per text, checked where `marks` says.
void FillCheckList(QListWidget* list, const std::vector<QString>& texts, const std::vector<bool>& marks);

void FillSpeciesList(QListWidget* list, const MechanismModel& model);
void FillMechanismText(QListWidget* list, const MechanismModel& model);
// An item of the efficiency clean-up holds two lines joined by CR LF; it shows as two lines.
void FillReducedText(QListWidget* list, const MechanismModel& model);

}  // namespace vantor
