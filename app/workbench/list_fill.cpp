#include "app/workbench/list_fill.h"

#include <QListWidget>
#include <algorithm>
#include <QSignalBlocker>

namespace vantor {

namespace {

// Holds back the list's signals and repaints while its items are replaced.
class QuietFill {
public:
    explicit QuietFill(QListWidget* list) : list_(list), blocker_(list) {
        list_->setUpdatesEnabled(false);
        list_->clear();
    }
    ~QuietFill() { list_->setUpdatesEnabled(true); }

private:
    QListWidget* list_;
    QSignalBlocker blocker_;
};

}  // namespace

TextLineDelegate::TextLineDelegate(int lineHeight, QObject* parent)
    : QStyledItemDelegate(parent), lineHeight_(lineHeight) {
    advances_.fill(-1);
}

QSize TextLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString text = index.data().toString();
    const int lines = static_cast<int>(text.count('\n')) + 1;
    if (index.data(Qt::CheckStateRole).isValid()) {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(lineHeight_ * lines);
        return size;
    }
    if (option.font != font_) {
        font_ = option.font;
        advances_.fill(-1);
    }
    int width = 0, line = 0;
    for (const QChar c : text) {
        if (c == '\n') {
            width = std::max(width, line);
            line = 0;
        } else if (c.unicode() < advances_.size()) {
            int& advance = advances_[c.unicode()];
            if (advance < 0) advance = option.fontMetrics.horizontalAdvance(c);
            line += advance;
        } else {
            line += option.fontMetrics.horizontalAdvance(c);
        }
    }
    width = std::max(width, line);
    return QSize(width + 2 * option.fontMetrics.averageCharWidth(), lineHeight_ * lines);
}

// Items get their flags and marks before they join the list, so no change is signalled per item.
void FillCheckList(QListWidget* list, const std::vector<QString>& texts, const std::vector<bool>& marks) {
    const QuietFill quiet(list);
    for (size_t i = 0; i < texts.size(); ++i) {
        auto* item = new QListWidgetItem(texts[i]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(marks[i] ? Qt::Checked : Qt::Unchecked);
        list->addItem(item);
    }
}

void FillSpeciesList(QListWidget* list, const MechanismModel& model) {
    std::vector<QString> names;
    std::vector<bool> marks;
    names.reserve(model.Species.size());
    marks.reserve(model.Species.size());
    for (const auto& species : model.Species) {
        names.push_back(QString::fromStdString(species.name));
        marks.push_back(species.checked);
    }
    FillCheckList(list, names, marks);
}

void FillMechanismText(QListWidget* list, const MechanismModel& model) {
    std::vector<QString> lines;
    std::vector<bool> marks;
    lines.reserve(model.MechanismText.size());
    marks.reserve(model.MechanismText.size());
    for (const auto& line : model.MechanismText) {
        lines.push_back(QString::fromStdString(line.text));
        marks.push_back(line.kept);
    }
    FillCheckList(list, lines, marks);
}

void FillReducedText(QListWidget* list, const MechanismModel& model) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(model.ReducedText.size()));
    for (const std::string& item : model.ReducedText) items.append(QString::fromStdString(item).remove('\r'));
    const QuietFill quiet(list);
    list->addItems(items);  // one insertion for the whole text
}

}  // namespace vantor
