// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "halloffame/recordgrid.h"

#include <QAccessibleWidget>
#include <QLocale>
#include <algorithm>

namespace numblaze
{

RecordGrid::RecordGrid(QWidget* parent, const QString& name, Place place, const QColor& fill,
                       const QColor& outline)
    : Shape(parent, name, place, fill, outline)
{
}

void RecordGrid::setTable(const std::array<Label*, Rows * Columns>& cells,
                          const std::array<Label*, Rows>& rowTitles,
                          const std::array<Image*, Columns>& columnHeadings)
{
    cells_ = cells;
    rowTitles_ = rowTitles;
    columnHeadings_ = columnHeadings;
}

QString RecordGrid::rowName(int row) const
{
    QString title = rowTitle(row)->caption().trimmed();
    if (title.endsWith(QLatin1Char(':')))
        title.chop(1);
    return title.trimmed();
}

QString RecordGrid::columnName(int column) const
{
    return columnHeading(column)->accessibleName();
}

QString RecordGrid::cellName(int row, int column) const
{
    //: One record of the Hall of Fame, as a screen reader names its cell: %1 is the math kind
    //: ("Addition"), %2 the opponent's name, %3 the record.
    return QCoreApplication::translate("Form3", "%1, %2: %3")
        .arg(rowName(row), columnName(column), cell(row, column)->caption());
}

QString RecordGrid::inWords() const
{
    QStringList rows;
    for (int row = 0; row < Rows; ++row) {
        QStringList records;
        for (int column = 0; column < Columns; ++column)
            //: Part of the Hall of Fame read out as it opens: %1 is an opponent's name, %2 the
            //: record against that opponent ("Bobby Blue 5").
            records << QCoreApplication::translate(
                           "Form3", "%1 %2", "an opponent, then the record against that opponent")
                           .arg(columnName(column), cell(row, column)->caption());
        //: One row of the Hall of Fame read out as it opens: %1 is the math kind ("Addition"),
        //: %2 its three records as a list ("Bobby Blue 5, Patty Purple 5 and Ronald Red 5").
        rows << QCoreApplication::translate("Form3", "%1: %2.", "a math kind, then its records")
                    .arg(rowName(row), QLocale().createSeparatedList(records));
    }
    return rows.join(QLatin1Char(' '));
}

int RecordGrid::indexOf(const QWidget* label) const
{
    const auto at = std::find(cells_.begin(), cells_.end(), label);
    return at == cells_.end() ? -1 : int(at - cells_.begin());
}

namespace
{
QAccessibleInterface* accessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

/// The grid as a table of records; nothing in it can be selected.
class TableAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
  public:
    explicit TableAccessible(RecordGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

    QString text(QAccessible::Text t) const override
    {
        //: The name of the Hall of Fame's table of records to screen readers.
        return t == QAccessible::Name ? QCoreApplication::translate("Form3", "Highest numbers")
                                      : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return RecordGrid::Rows * RecordGrid::Columns; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < childCount()
                   ? cellAt(index / RecordGrid::Columns, index % RecordGrid::Columns)
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? grid()->indexOf(qobject_cast<const QWidget*>(child->object())) : -1;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return accessibleOf(grid()->cell(row, column));
    }
    int rowCount() const override { return RecordGrid::Rows; }
    int columnCount() const override { return RecordGrid::Columns; }
    QString rowDescription(int row) const override { return grid()->rowName(row); }
    QString columnDescription(int column) const override { return grid()->columnName(column); }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    RecordGrid* grid() const { return static_cast<RecordGrid*>(object()); }
};

/// One record of the grid, named by its row, its column and the record it shows.
class CellAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface
{
  public:
    CellAccessible(Label* label, RecordGrid* grid, int index)
        : QAccessibleWidget(label, QAccessible::Cell), grid_(grid), row_(index / grid->Columns),
          column_(index % grid->Columns)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? grid_->cellName(row_, column_) : QAccessibleWidget::text(t);
    }
    QAccessibleInterface* parent() const override { return accessibleOf(grid_); }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        return {accessibleOf(grid_->columnHeading(column_))};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override
    {
        return {accessibleOf(grid_->rowTitle(row_))};
    }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return accessibleOf(grid_); }

  private:
    RecordGrid* grid_;
    int row_;
    int column_;
};

/// The grid among the label's neighbours that holds it as a cell, with the cell's index.
RecordGrid* gridHolding(QWidget* label, int* index)
{
    if (!label->parent())
        return nullptr;
    for (QObject* sibling : label->parent()->children()) {
        auto* grid = dynamic_cast<RecordGrid*>(sibling);
        if (grid && (*index = grid->indexOf(label)) >= 0)
            return grid;
    }
    return nullptr;
}

QAccessibleInterface* recordGridAccessible(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType() || className != object->metaObject()->className())
        return nullptr;
    if (auto* grid = dynamic_cast<RecordGrid*>(object))
        return new TableAccessible(grid);
    int index = -1;
    if (auto* label = dynamic_cast<Label*>(object))
        if (RecordGrid* grid = gridHolding(label, &index))
            return new CellAccessible(label, grid, index);
    return nullptr;
}
} // namespace

void installRecordGridAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&recordGridAccessible);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace numblaze
