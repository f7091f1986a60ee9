#include "stats/ui/StatsTable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace kst {

QTableWidget* makeStatsTable(QWidget* parent, const QString& name, std::span<const StatsColumn> columns, int rows)
{
    auto* table = new QTableWidget(rows, int(columns.size()), parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < int(columns.size()); ++c) {
        table->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(columns[std::size_t(c)].title)));
        table->setColumnWidth(c, columns[std::size_t(c)].width);
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < int(columns.size()); ++c)
            table->setItem(r, c, new QTableWidgetItem);
    return table;
}

void fitStatsTable(QTableWidget* table, int rows)
{
    int width = table->frameWidth() * 2;
    for (int c = 0; c < table->columnCount(); ++c) {
        const int least = table->columnWidth(c);
        table->resizeColumnToContents(c);
        table->setColumnWidth(c, std::max(least, table->columnWidth(c) + 6));
        width += table->columnWidth(c);
    }
    if (table->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        width += table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int height = table->frameWidth() * 2 + table->horizontalHeader()->sizeHint().height()
        + rows * table->verticalHeader()->defaultSectionSize();
    table->setFixedSize(width, height);
}

void setStatsCell(QTableWidget* table, int row, int column, const QString& text)
{
    if (!table->item(row, column))
        table->setItem(row, column, new QTableWidgetItem);
    table->item(row, column)->setText(text);
}

} // namespace kst
