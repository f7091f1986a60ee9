#pragma once
// The rows of a large statistics table (the game log, every game of the catalogue) given by
// functions and shown through a view: the view asks only for the rows it shows, so a log of a
// hundred thousand games opens at once. A click on a column title sorts by that column.

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <variant>
#include <vector>

class QTableView;
class QWidget;

namespace kst {

// What a column sorts by: a number, or a text compared without regard to case.
using SortKey = std::variant<long long, QString>;

class StatsTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using Cell = std::function<QString(int row, int column)>;
    using Key = std::function<SortKey(int row, int column)>;

    explicit StatsTableModel(QStringList titles, QObject* parent = nullptr);

    // New rows, in their first order; `key` gives what each column sorts by.
    void setRows(int count, Cell cell, Key key);
    // The row of the data behind a shown row.
    int rowOf(int shownRow) const { return m_order[std::size_t(shownRow)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QStringList m_titles;
    Cell m_cell;
    Key m_key;
    std::vector<int> m_order; // data rows in the order shown
};

// A read-only view of the model: whole rows selected, titles that sort, columns at least as wide
// as given (pixels).
QTableView* makeStatsView(QWidget* parent, const QString& name, StatsTableModel* model, const std::vector<int>& widths);

// Each column widened to its title and the rows it shows where the given width is too small, and
// the view made wide enough for all of them.
void fitStatsView(QTableView* view, const std::vector<int>& widths);

} // namespace kst
