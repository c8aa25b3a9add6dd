#include "platform/ui/table_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <numeric>
#include <tuple>

#include "platform/core/notification_center.h"
#include "platform/gfx/detail/qt_context.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_dragging.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/window.h"

namespace ui {

namespace {

QVariant variantOf(const std::any& value)
{
    if (auto* s = std::any_cast<std::string>(&value)) return QString::fromStdString(*s);
    if (auto* c = std::any_cast<const char*>(&value)) return QString::fromUtf8(*c);
    if (auto* d = std::any_cast<double>(&value)) return *d;
    if (auto* f = std::any_cast<float>(&value)) return double(*f);
    if (auto* i = std::any_cast<int>(&value)) return *i;
    if (auto* l = std::any_cast<long>(&value)) return qlonglong(*l);
    if (auto* ll = std::any_cast<long long>(&value)) return qlonglong(*ll);
    if (auto* b = std::any_cast<bool>(&value)) return *b;
    return {};
}

class TableModel : public QAbstractTableModel {
public:
    explicit TableModel(TableView& table) : table_(table) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(std::max(0L, table_.numberOfRows()));
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(table_.numberOfColumns());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ForegroundRole && role != Qt::ToolTipRole) return {};
        auto source = table_.dataSource();
        if (!source || index.column() >= table_.numberOfColumns()) return {};
        const auto& column = table_.tableColumns()[std::size_t(index.column())];
        if (role == Qt::ToolTipRole) {
            const std::string tip = source->toolTipFor(table_, column, index.row());
            return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
        }
        TableCell cell{source->objectValueFor(table_, column, index.row()), true, std::nullopt};
        if (role == Qt::DisplayRole) return variantOf(cell.objectValue);
        if (auto delegate = table_.delegate()) delegate->willDisplayCell(table_, cell, column, index.row());
        return cell.textColor ? QVariant(gfx::toQColor(*cell.textColor)) : QVariant();
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= table_.numberOfColumns()) return {};
        return QString::fromStdString(table_.tableColumns()[std::size_t(section)]->title());
    }

    void reset()
    {
        beginResetModel();
        endResetModel();
    }
    void changed(const QModelIndex& from, const QModelIndex& to) { emit dataChanged(from, to); }

private:
    TableView& table_;
};

// A QTableView that hands drags to its table's data source.
class DropTableView : public QTableView {
public:
    explicit DropTableView(TableView& table) : table_(table)
    {
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
        setDropIndicatorShown(true);
    }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QTableView::focusInEvent(event);
        table_.tookKeyboardFocus();
    }
    void dragEnterEvent(QDragEnterEvent* event) override { propose(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { propose(event); }
    void dropEvent(QDropEvent* event) override
    {
        QtDraggingInfo info(*event, table_, inHost(event));
        if (!carriesRegisteredType(table_, event->mimeData()) || !table_.drop(info, y(event))) return event->ignore();
        event->acceptProposedAction();
    }

private:
    double y(const QDropEvent* event) const { return event->position().y(); }
    QPointF inHost(const QDropEvent* event) const
    {
        return parentWidget() ? QPointF(viewport()->mapTo(parentWidget(), event->position().toPoint()))
                              : event->position();
    }
    void propose(QDropEvent* event)
    {
        QtDraggingInfo info(*event, table_, inHost(event));
        long row;
        TableViewDropOperation operation;
        const DragOperation answer = carriesRegisteredType(table_, event->mimeData())
                                         ? table_.proposeDrop(info, y(event), &row, &operation)
                                         : DragOperations::none;
        if (answer == DragOperations::none) return event->ignore();
        event->setDropAction(actionOf(answer));
        event->accept();
    }

    TableView& table_;
};

}  // namespace

struct TableView::Impl {
    std::weak_ptr<TableDataSource> source;
    std::weak_ptr<TableDelegate> delegate;
    std::vector<std::shared_ptr<TableColumn>> columns;
    QPointer<QTableView> view;
    TableModel* model = nullptr;
};

TableView::TableView(const gfx::Rect& frame) : Control(frame), impl_(std::make_unique<Impl>())
{
    // The Edit menu's Select All reaches the table that has the keyboard before anything further along.
    registerAction(actions::selectAll, [this](const std::shared_ptr<core::Object>&) { selectAll(); });
}

TableView::~TableView() = default;

void TableView::awake()
{
    Control::awake();
    auto* view = new DropTableView(*this);
    impl_->model = new TableModel(*this);
    impl_->model->setParent(view);
    view->setModel(impl_->model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    std::weak_ptr<TableView> weak = sharedAs<TableView>();
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, [weak] {
        if (auto table = weak.lock()) table->selectionChanged();
    });
    QObject::connect(view, &QTableView::doubleClicked, [weak](const QModelIndex& index) {
        if (auto table = weak.lock()) table->doubleClicked(index.row());
    });
    QObject::connect(view, &QTableView::clicked, [weak](const QModelIndex& index) {
        if (auto table = weak.lock()) {
            table->clickedRow_ = index.row();
            table->sendAction(table->action(), table->target());
        }
    });
    impl_->view = view;
    setControlWidget(*this, view);
}

std::shared_ptr<TableDataSource> TableView::dataSource() const { return impl_->source.lock(); }

void TableView::setDataSource(const std::shared_ptr<TableDataSource>& source)
{
    impl_->source = source;
    reloadData();
}

std::shared_ptr<TableDelegate> TableView::delegate() const { return impl_->delegate.lock(); }
void TableView::setDelegate(const std::shared_ptr<TableDelegate>& delegate) { impl_->delegate = delegate; }

void TableView::addTableColumn(const std::shared_ptr<TableColumn>& column)
{
    if (!column) return;
    impl_->columns.push_back(column);
    reloadData();
    if (impl_->view) impl_->view->setColumnWidth(int(impl_->columns.size() - 1), int(column->width()));
}

void TableView::removeTableColumn(const std::shared_ptr<TableColumn>& column)
{
    auto& columns = impl_->columns;
    columns.erase(std::remove(columns.begin(), columns.end(), column), columns.end());
    reloadData();
}

const std::vector<std::shared_ptr<TableColumn>>& TableView::tableColumns() const { return impl_->columns; }

std::shared_ptr<TableColumn> TableView::tableColumnWithIdentifier(const std::string& identifier) const
{
    for (auto& column : impl_->columns)
        if (column->identifier() == identifier) return column;
    return nullptr;
}

long TableView::numberOfRows() const
{
    auto source = dataSource();
    // The data source is asked with the table as a mutable argument, as its protocol takes it.
    return source ? std::max(0L, source->numberOfRowsInTableView(const_cast<TableView&>(*this))) : 0;
}

void TableView::reloadData()
{
    if (!impl_->model) return;
    quiet_ = true;
    impl_->model->reset();
    const long rows = numberOfRows();
    std::vector<long> kept;
    for (long row : reported_)
        if (row < rows) kept.push_back(row);
    selectRowIndexes(kept, false);
    quiet_ = false;
    selectionChanged();
}

void TableView::reloadData(const std::vector<long>& rows, const std::vector<long>& columns)
{
    if (!impl_->model) return;
    for (long row : rows)
        for (long column : columns)
            if (row >= 0 && row < numberOfRows() && column >= 0 && column < numberOfColumns()) {
                const QModelIndex index = impl_->model->index(int(row), int(column));
                impl_->model->changed(index, index);
            }
}

long TableView::selectedRow() const
{
    if (!impl_->view) return -1;
    const QModelIndex current = impl_->view->selectionModel()->currentIndex();
    if (current.isValid() && isRowSelected(current.row())) return current.row();
    const auto rows = selectedRowIndexes();
    return rows.empty() ? -1 : rows.back();
}

std::vector<long> TableView::selectedRowIndexes() const
{
    std::vector<long> rows;
    if (!impl_->view) return rows;
    for (const QModelIndex& index : impl_->view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TableView::selectRowIndexes(const std::vector<long>& rows, bool byExtendingSelection)
{
    if (!impl_->view) return;
    const bool wasQuiet = quiet_;
    quiet_ = true;
    auto* selection = impl_->view->selectionModel();
    if (!byExtendingSelection) selection->clearSelection();
    const long count = numberOfRows();
    for (long row : rows) {
        if (row < 0 || row >= count) continue;
        const QModelIndex index = impl_->model->index(int(row), 0);
        selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    quiet_ = wasQuiet;
    selectionChanged();
}

void TableView::deselectAll(const std::shared_ptr<core::Object>&) { selectRowIndexes({}, false); }

void TableView::tookKeyboardFocus()
{
    if (auto window = this->window()) window->makeFirstResponder(sharedAs<TableView>());
}

void TableView::selectAll()
{
    if (!allowsMultipleSelection()) return;
    std::vector<long> rows(std::size_t(std::max(0L, numberOfRows())));
    std::iota(rows.begin(), rows.end(), 0L);
    selectRowIndexes(rows, false);
}

bool TableView::isRowSelected(long row) const
{
    return impl_->view && row >= 0 && row < numberOfRows() &&
           impl_->view->selectionModel()->isRowSelected(int(row), QModelIndex());
}

bool TableView::allowsMultipleSelection() const
{
    return impl_->view && impl_->view->selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TableView::setAllowsMultipleSelection(bool allows)
{
    if (impl_->view)
        impl_->view->setSelectionMode(allows ? QAbstractItemView::ExtendedSelection
                                             : QAbstractItemView::SingleSelection);
}

void TableView::scrollRowToVisible(long row)
{
    if (!impl_->view || row < 0 || row >= numberOfRows()) return;
    impl_->view->doItemsLayout();  // rows just added count
    impl_->view->scrollTo(impl_->model->index(int(row), 0));
}

namespace {

// The row under widget pixel `y` of the rows (the row count below the last) and whether the drop goes on it
// (its middle half) or above it.
std::pair<long, TableViewDropOperation> dropPlace(QTableView& view, double y, long rows)
{
    const int row = view.rowAt(int(y));
    if (row < 0) return {rows, TableViewDropOperation::above};
    const int top = view.rowViewportPosition(row), height = view.rowHeight(row);
    if (y < top + height / 4.0) return {row, TableViewDropOperation::above};
    if (y > top + height * 3 / 4.0) return {row + 1, TableViewDropOperation::above};
    return {row, TableViewDropOperation::on};
}

}  // namespace

DragOperation TableView::proposeDrop(const DraggingInfo& info, double y, long* row, TableViewDropOperation* operation)
{
    auto source = dataSource();
    if (!source || !impl_->view) return DragOperations::none;
    std::tie(*row, *operation) = dropPlace(*impl_->view, y, numberOfRows());
    return source->validateDrop(*this, info, *row, *operation);
}

bool TableView::drop(const DraggingInfo& info, double y)
{
    long row;
    TableViewDropOperation operation;
    if (proposeDrop(info, y, &row, &operation) == DragOperations::none) return false;
    auto source = dataSource();
    return source && source->acceptDrop(*this, info, row, operation);
}

void TableView::selectionChanged()
{
    if (quiet_) return;
    auto rows = selectedRowIndexes();
    if (rows == reported_) return;
    reported_ = std::move(rows);
    if (auto d = delegate()) d->tableViewSelectionDidChange(*this);
    core::NotificationCenter::defaultCenter().post(selectionDidChangeNotification, shared_from_this());
}

void TableView::doubleClicked(long row)
{
    clickedRow_ = row;
    if (!doubleAction_.empty()) sendAction(doubleAction_, target());
}

}  // namespace ui
