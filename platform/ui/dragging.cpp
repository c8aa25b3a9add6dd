#include "platform/ui/dragging.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDeadlineTimer>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cmath>
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

namespace {

// How far from the pointer the drag's picture reaches, in points: a drag of many items shows those nearby.
constexpr double pictureReach = 400;

bool isPromise(const DraggingItem& dragged)
{
    if (!dragged.item) return false;
    const auto types = dragged.item->types();
    return std::find(types.begin(), types.end(), PasteboardType::promisedFile) != types.end();
}

// How long a drop target may have to wait for promised files still being written.
constexpr int promiseWaitMilliseconds = 4000;

// Promised files dragged as file URLs. The source may still be writing them when the drag starts (each
// appears whole under its name), so a request for the URLs is answered once every file is there, running the
// loop meanwhile so that the writing can reach the main thread; files still missing when the wait ends (at
// most a few seconds after the first request, for all requests together) are left out.
class PromisedFiles : public QMimeData {
public:
    explicit PromisedFiles(QList<QUrl> urls) : promised_(std::move(urls)) { setUrls(promised_); }

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override
    {
        if (format == QLatin1String("text/uri-list") && !settled_) settle();
        return QMimeData::retrieveData(format, type);
    }

private:
    bool allThere() const
    {
        return std::all_of(promised_.begin(), promised_.end(), [](const QUrl& url) { return QFileInfo::exists(url.toLocalFile()); });
    }

    void settle() const
    {
        if (!deadline_) deadline_ = QDeadlineTimer(promiseWaitMilliseconds);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (allThere() || deadline_->hasExpired()) loop.quit();
        });
        if (!allThere() && !deadline_->hasExpired()) {
            poll.start(10);
            loop.exec();
        }
        settled_ = true;
        QList<QUrl> there;
        for (const QUrl& url : promised_)
            if (QFileInfo::exists(url.toLocalFile())) there << url;
        const_cast<PromisedFiles*>(this)->setUrls(there);
    }

    QList<QUrl> promised_;
    mutable std::optional<QDeadlineTimer> deadline_;
    mutable bool settled_ = false;
};

// The data the items carry, and the files that the source writes for the promises among them into a fresh
// folder (so that their names never meet the files of an earlier drag).
QMimeData* dragData(const std::vector<DraggingItem>& items, DraggingSource* source)
{
    QList<QUrl> urls;
    const bool promises = std::any_of(items.begin(), items.end(), isPromise);
    const QString folder = promises && source ? promiseFolder() : QString();
    if (!folder.isEmpty()) {
        QTemporaryDir each(folder + "/drop-XXXXXX");
        each.setAutoRemove(false);
        const QString path = each.path();
        if (each.isValid())
            for (auto& name : source->namesOfPromisedFilesDroppedAtDestination(core::Url::fileURL(path.toStdString())))
                urls << QUrl::fromLocalFile(path + "/" + QString::fromStdString(name));
    }
    QMimeData* mime = urls.isEmpty() ? new QMimeData : new PromisedFiles(urls);
    for (auto& dragged : items) {
        if (isPromise(dragged) || !dragged.item) continue;
        for (auto& type : dragged.item->types()) {
            const auto bytes = *dragged.item->data(type);
            mime->setData(QString::fromStdString(type),
                          QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        }
    }
    return mime;
}

// One picture of the items' images at their dragging frames (in the view's space), as far as they lie near
// `press`, and where the pointer holds it.
QPixmap dragPicture(const View& view, const std::vector<DraggingItem>& items, const gfx::Point& press,
                    qreal pixelRatio, QPoint& hotSpot)
{
    const gfx::Rect near{press.x - pictureReach, press.y - pictureReach, 2 * pictureReach, 2 * pictureReach};
    gfx::Rect area = gfx::Rect::null();
    for (auto& dragged : items)
        if (dragged.image) area = gfx::unionOf(area, gfx::intersection(dragged.draggingFrame.standardized(), near));
    if (area.isNull() || area.isEmpty()) return {};
    const bool flipped = view.isFlipped();
    auto top = [&](const gfx::Rect& r) { return flipped ? r.minY() - area.minY() : area.maxY() - r.maxY(); };
    QImage canvas(int(std::ceil(area.width() * pixelRatio)), int(std::ceil(area.height() * pixelRatio)),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(pixelRatio);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (auto& dragged : items) {
        if (!dragged.image) continue;
        const gfx::Rect f = dragged.draggingFrame.standardized();
        painter.drawImage(QRectF(f.minX() - area.minX(), top(f), f.width(), f.height()), qImageFromImage(*dragged.image));
    }
    painter.end();
    hotSpot = QPoint(int(std::lround(press.x - area.minX())), int(std::lround(top({press, {0, 0}}))));
    return QPixmap::fromImage(canvas);
}

}  // namespace

void View::beginDraggingSession(const std::vector<DraggingItem>& items, const Event& event,
                                const std::shared_ptr<DraggingSource>& source)
{
    QWidget* widget = impl_->widget;
    if (!widget || items.empty()) return;
    auto* drag = new QDrag(widget);
    drag->setMimeData(dragData(items, source.get()));
    QPoint hotSpot;
    const QPixmap picture =
        dragPicture(*this, items, convertPoint(event.locationInWindow, nullptr), widget->devicePixelRatioF(), hotSpot);
    if (!picture.isNull()) {
        drag->setPixmap(picture);
        drag->setHotSpot(hotSpot);
    }
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
