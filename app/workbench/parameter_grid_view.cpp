#include "app/workbench/parameter_grid_view.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <algorithm>

namespace {

const QColor kValueBackground(255, 255, 236);
const QColor kValueText(Qt::red);

bool IsPickListCell(const QModelIndex& index) {
    return index.row() == vantor::kRowEndTime && index.column() == vantor::kUnitColumn;
}

}  // namespace

T2cccStringGrid::T2cccStringGrid(QWidget* parent) : QTableWidget(vantor::kGridRows, vantor::kGridColumns, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < vantor::kGridColumns; ++column)
        setColumnWidth(column, vantor::kGridColumnWidths[static_cast<size_t>(column)]);
    horizontalHeader()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new ParameterGridDelegate(this));
    setWordWrap(false);
    for (int row = 0; row < vantor::kGridRows; ++row) {
        for (int column = 0; column < vantor::kGridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (vantor::IsEditableCell(row, column)) flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            setItem(row, column, item);
        }
    }
}

void T2cccStringGrid::LoadCells(const vantor::ParameterGrid& cells) {
    for (int row = 0; row < vantor::kGridRows; ++row)
        for (int column = 0; column < vantor::kGridColumns; ++column)
            SetCell(row, column, QString::fromStdString(cells[static_cast<size_t>(row)][static_cast<size_t>(column)]));
}

vantor::ParameterGrid T2cccStringGrid::Cells() const {
    vantor::ParameterGrid cells;
    for (int row = 0; row < vantor::kGridRows; ++row)
        for (int column = 0; column < vantor::kGridColumns; ++column)
            cells[static_cast<size_t>(row)][static_cast<size_t>(column)] = Cell(row, column).toStdString();
    return cells;
}

void T2cccStringGrid::FitNameColumn() {
    int width = vantor::kGridColumnWidths[0];
    for (int row = 0; row < vantor::kGridRows; ++row)
        width = std::max(width, fontMetrics().horizontalAdvance(Cell(row, 0)) + 8);
    setColumnWidth(0, width);
}

QString T2cccStringGrid::Cell(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void T2cccStringGrid::SetCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = item(row, column)) cell->setText(text);
}

QWidget* ParameterGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    if (!IsPickListCell(index)) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* pickList = new QComboBox(parent);
    pickList->setObjectName("UnitPickList");
    pickList->addItems(QString(vantor::kEndTimeUnitChoices).split(','));
    pickList->setEditable(true);  // the cell is text: a typed unit counts as "any other unit"
    return pickList;
}

void ParameterGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* pickList = qobject_cast<QComboBox*>(editor)) {
        pickList->setCurrentText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ParameterGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* pickList = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, pickList->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void ParameterGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const bool heading = index.row() == 0;
    const bool value = !heading && index.column() == vantor::kValueColumn;
    if (!heading && !value) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    const QRect cell = option.rect;
    painter->fillRect(cell, heading ? option.palette.button() : QBrush(kValueBackground));
    if (value && (option.state & QStyle::State_Selected)) {
        painter->setPen(QPen(option.palette.highlight(), 1));
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
    }
    painter->setPen(heading ? option.palette.buttonText().color() : kValueText);
    painter->setFont(option.font);
    // The text 2 pixels right of and below the cell's top-left corner.
    const QRect text = cell.adjusted(2, 2, -2, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    painter->restore();
}
