#pragma once
// The read-only grids of the statistics dialogs: a title row, whole rows selected, columns at
// least as wide as the original layout gives them.

#include <QString>

#include <span>

class QTableWidget;
class QWidget;

namespace kst {

struct StatsColumn {
    const char* title;
    int width; // pixels, the least the column gets
};

QTableWidget* makeStatsTable(QWidget* parent, const QString& name, std::span<const StatsColumn> columns, int rows);
// The columns widened to their contents where needed, the grid sized to show `rows` rows whole.
void fitStatsTable(QTableWidget* table, int rows);
void setStatsCell(QTableWidget* table, int row, int column, const QString& text);

} // namespace kst
