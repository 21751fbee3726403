#pragma once
// The parameter grid of the main window: 4 columns, 9 rows (headings, then the eight settings).
// Only the value column and the end-time unit cell edit; that unit cell edits with the pick list
// "tmax", "sec", "Tig". Value cells show red text on light yellow.

#include <QStyledItemDelegate>
#include <QTableWidget>

#include "app/core/pipeline/parameter_grid.h"

class T2cccStringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit T2cccStringGrid(QWidget* parent = nullptr);

    void LoadCells(const vantor::ParameterGrid& cells);
    vantor::ParameterGrid Cells() const;
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    // Widens the name column when the font needs more than its design width for the names.
    void FitNameColumn();

    static constexpr int kRowHeight = 18;
};

// Draws the grid's cells and opens the pick list on the end-time unit cell.
class ParameterGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
