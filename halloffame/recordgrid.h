// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/gamedata.h"
#include "widgets/controls.h"

#include <QCoreApplication>
#include <array>

namespace numblaze
{

/**
 * The backdrop of the Hall of Fame's grid. Readers are offered it as a table: the twelve
 * records are its cells, each named by its row, its column and its record ("Addition, Bobby
 * Blue: 5"); the row titles and the column balls are the headers.
 */
class RecordGrid : public Shape
{
    Q_OBJECT

  public:
    static constexpr int Rows = MathKindCount;
    static constexpr int Columns = OpponentCount;

    RecordGrid(QWidget* parent, const QString& name, Place place, const QColor& fill,
               const QColor& outline);

    /// The controls the table is made of: cell (m, o) is cells[3m + o].
    void setTable(const std::array<Label*, Rows * Columns>& cells,
                  const std::array<Label*, Rows>& rowTitles,
                  const std::array<Image*, Columns>& columnHeadings);

    Label* cell(int row, int column) const { return cells_[row * Columns + column]; }
    Label* rowTitle(int row) const { return rowTitles_[row]; }
    Image* columnHeading(int column) const { return columnHeadings_[column]; }
    /// The row's name as its title shows it, without the colon: "Addition".
    QString rowName(int row) const;
    /// The column's name: the opponent its ball stands for.
    QString columnName(int column) const;
    /// What a reader hears for a cell: its row, its column and its record.
    QString cellName(int row, int column) const;
    /// The whole table in words, row by row: "Addition: Bobby Blue 5, Patty Purple 5 and
    /// Ronald Red 5. Subtraction: ..."
    QString inWords() const;
    /// Where this grid holds the label as a cell, or -1.
    int indexOf(const QWidget* label) const;

  private:
    std::array<Label*, Rows * Columns> cells_{};
    std::array<Label*, Rows> rowTitles_{};
    std::array<Image*, Columns> columnHeadings_{};
};

/// Lets readers find the Hall of Fame's table and its cells. Safe to call more than once.
void installRecordGridAccessibility();

} // namespace numblaze
