#include "stats/ui/StatsTableModel.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <numeric>

namespace kst {

namespace {

// The rows measured when a column is fitted to its contents: the fields of a column have one width.
constexpr int ColumnFitRows = 100;

} // namespace

StatsTableModel::StatsTableModel(QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), m_titles(std::move(titles))
{
}

void StatsTableModel::setRows(int count, Cell cell, Key key)
{
    beginResetModel();
    m_cell = std::move(cell);
    m_key = std::move(key);
    m_order.resize(std::size_t(std::max(count, 0)));
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

int StatsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int StatsTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_titles.size()); }

QVariant StatsTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(m_order.size()) || !m_cell)
        return {};
    return m_cell(m_order[std::size_t(index.row())], index.column());
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_titles.size())
        return m_titles[section];
    return {};
}

void StatsTableModel::sort(int column, Qt::SortOrder order)
{
    if (!m_key || column < 0 || column >= m_titles.size())
        return;
    emit layoutAboutToBeChanged();
    // The keys are made once, not at every comparison.
    std::vector<SortKey> keys(m_order.size());
    for (std::size_t row = 0; row < keys.size(); ++row)
        keys[row] = m_key(int(row), column);
    std::vector<int> sorted(m_order.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    const auto less = [&](int a, int b) {
        const SortKey& x = keys[std::size_t(a)];
        const SortKey& y = keys[std::size_t(b)];
        if (x.index() != y.index())
            return x.index() < y.index(); // numbers before texts
        if (const auto* n = std::get_if<long long>(&x))
            return *n < std::get<long long>(y);
        return std::get<QString>(x).compare(std::get<QString>(y), Qt::CaseInsensitive) < 0;
    };
    // Equal keys keep the first order (the log's newest first) in both directions.
    if (order == Qt::AscendingOrder)
        std::stable_sort(sorted.begin(), sorted.end(), less);
    else
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) { return less(b, a); });
    // The selection follows its row to the row's new place.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> newPlace(m_order.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        newPlace[std::size_t(sorted[i])] = int(i);
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after << this->index(newPlace[std::size_t(m_order[std::size_t(index.row())])], index.column());
    m_order = sorted;
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

QTableView* makeStatsView(QWidget* parent, const QString& name, StatsTableModel* model, const std::vector<int>& widths)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setSortIndicatorShown(false);
    view->horizontalHeader()->setResizeContentsPrecision(ColumnFitRows);
    view->horizontalHeader()->setSectionsClickable(true);
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionClicked, view, [view, model](int column) {
        QHeaderView* header = view->horizontalHeader();
        // A second click on the same title turns the order round.
        const bool again = header->isSortIndicatorShown() && header->sortIndicatorSection() == column;
        const Qt::SortOrder order =
            again && header->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        header->setSortIndicatorShown(true);
        header->setSortIndicator(column, order);
        model->sort(column, order);
    });
    for (std::size_t c = 0; c < widths.size(); ++c)
        view->setColumnWidth(int(c), widths[c]);
    return view;
}

void fitStatsView(QTableView* view, const std::vector<int>& widths)
{
    // Only the rows near the top are measured (ColumnFitRows), so that a long log fits as fast as
    // a short one.
    constexpr int Padding = 8;
    int total = 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const int least = c < int(widths.size()) ? widths[std::size_t(c)] : 0;
        view->resizeColumnToContents(c);
        const int width = std::max(least, view->columnWidth(c) + Padding);
        view->setColumnWidth(c, width);
        total += width;
    }
    view->setMinimumWidth(total);
}

} // namespace kst
