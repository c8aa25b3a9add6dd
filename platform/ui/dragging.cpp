#include "platform/ui/dragging.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

#include "platform/ui/qt_dragging.h"
#include "platform/ui/qt_event.h"
#include "platform/ui/qt_image.h"
#include "platform/ui/qt_view.h"

namespace ui {

namespace {

// The source of the drag this program runs, while it runs.
std::weak_ptr<DraggingSource>& currentSource()
{
    static std::weak_ptr<DraggingSource> source;
    return source;
}

// The folder promised files are written to; it lasts until the program quits.
QString promiseFolder()
{
    static QTemporaryDir* folder = new QTemporaryDir(QDir::tempPath() + "/vistrel-drag-XXXXXX");
    return folder->isValid() ? folder->path() : QString();
}

}  // namespace

DragOperation operationsOf(Qt::DropActions actions)
{
    DragOperation operation = DragOperations::none;
    if (actions & Qt::CopyAction) operation |= DragOperations::copy;
    if (actions & Qt::LinkAction) operation |= DragOperations::link;
    if (actions & Qt::MoveAction) operation |= DragOperations::move;
    return operation;
}

Qt::DropAction actionOf(DragOperation operation)
{
    if (operation & DragOperations::copy) return Qt::CopyAction;
    if (operation & DragOperations::move) return Qt::MoveAction;
    if (operation & DragOperations::link) return Qt::LinkAction;
    if (operation & DragOperations::generic) return Qt::CopyAction;
    return Qt::IgnoreAction;
}

gfx::Point QtDraggingInfo::draggingLocation() const
{
    const gfx::Point local = viewPointFromWidget(view_, position_.x(), position_.y());
    return view_.convertPointTo(local, nullptr);
}

DragOperation QtDraggingInfo::draggingSourceOperationMask() const { return operationsOf(event_.possibleActions()); }

std::vector<std::string> QtDraggingInfo::types() const
{
    std::vector<std::string> result;
    for (const QString& format : event_.mimeData()->formats()) result.push_back(format.toStdString());
    return result;
}

std::optional<core::Data> QtDraggingInfo::data(const std::string& type) const
{
    const QString format = QString::fromStdString(type);
    if (!event_.mimeData()->hasFormat(format)) return std::nullopt;
    const QByteArray bytes = event_.mimeData()->data(format);
    return core::Data(bytes.begin(), bytes.end());
}

std::vector<core::Url> QtDraggingInfo::fileURLs() const
{
    std::vector<core::Url> urls;
    for (const QUrl& url : event_.mimeData()->urls())
        if (url.isLocalFile()) urls.push_back(core::Url::fileURL(url.toLocalFile().toStdString()));
    return urls;
}

std::shared_ptr<DraggingSource> QtDraggingInfo::draggingSource() const
{
    return event_.source() ? currentSource().lock() : nullptr;
}

bool carriesRegisteredType(const View& view, const QMimeData* data)
{
    if (!data) return false;
    for (auto& type : view.registeredDraggedTypes())
        if (data->hasFormat(QString::fromStdString(type))) return true;
    return false;
}

void View::registerForDraggedTypes(const std::vector<std::string>& types)
{
    impl_->draggedTypes = types;
    if (impl_->widget) impl_->widget->setAcceptDrops(!types.empty());
}

void View::unregisterDraggedTypes() { registerForDraggedTypes({}); }

const std::vector<std::string>& View::registeredDraggedTypes() const { return impl_->draggedTypes; }

DragOperation View::draggingUpdated(const DraggingInfo&) { return impl_->enteredOperation; }

void View::beginDraggingSession(const std::vector<DraggingItem>& items, const Event&,
                                const std::shared_ptr<DraggingSource>& source)
{
    QWidget* widget = impl_->widget;
    if (!widget || items.empty()) return;
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (auto& dragged : items)
        if (dragged.item)
            for (auto& type : dragged.item->types()) {
                const auto bytes = *dragged.item->data(type);
                mime->setData(QString::fromStdString(type), QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
            }
    if (source) {
        const QString folder = promiseFolder();
        if (!folder.isEmpty()) {
            // A fresh folder for each drag, so that names never meet files of an earlier one.
            QTemporaryDir* each = new QTemporaryDir(folder + "/drop-XXXXXX");
            each->setAutoRemove(false);
            const QString path = each->path();
            delete each;
            for (auto& name : source->namesOfPromisedFilesDroppedAtDestination(core::Url::fileURL(path.toStdString())))
                urls << QUrl::fromLocalFile(path + "/" + QString::fromStdString(name));
        }
    }
    if (!urls.isEmpty()) mime->setUrls(urls);
    auto* drag = new QDrag(widget);
    drag->setMimeData(mime);
    if (items.front().image) drag->setPixmap(QPixmap::fromImage(qImageFromImage(*items.front().image)));
    currentSource() = source;
    const DragOperation allowed =
        source ? source->sourceOperationMask(DraggingContext::outsideApplication) : DragOperations::copy;
    Qt::DropActions actions;
    if (allowed & DragOperations::copy) actions |= Qt::CopyAction;
    if (allowed & DragOperations::move) actions |= Qt::MoveAction;
    if (allowed & DragOperations::link) actions |= Qt::LinkAction;
    const Qt::DropAction done = drag->exec(actions ? actions : Qt::CopyAction);
    currentSource().reset();
    if (source) source->draggingSessionEnded(operationsOf(done));
}

void HostWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!carriesRegisteredType(view_, event->mimeData())) return event->ignore();
    QtDraggingInfo info(*event, view_);
    const DragOperation operation = view_.draggingEntered(info);
    view_.impl().enteredOperation = operation;
    if (operation == DragOperations::none) return event->ignore();
    event->setDropAction(actionOf(operation));
    event->accept();
}

void HostWidget::dragMoveEvent(QDragMoveEvent* event)
{
    QtDraggingInfo info(*event, view_);
    const DragOperation operation = view_.draggingUpdated(info);
    if (operation == DragOperations::none) return event->ignore();
    event->setDropAction(actionOf(operation));
    event->accept();
}

void HostWidget::dragLeaveEvent(QDragLeaveEvent*)
{
    view_.draggingExited(nullptr);
    view_.draggingEnded(nullptr);
}

void HostWidget::dropEvent(QDropEvent* event)
{
    QtDraggingInfo info(*event, view_);
    if (view_.prepareForDragOperation(info) && view_.performDragOperation(info)) {
        event->setDropAction(actionOf(view_.impl().enteredOperation));
        event->accept();
        view_.concludeDragOperation(info);
    } else {
        event->ignore();
    }
    view_.draggingEnded(&info);
}

}  // namespace ui
