#include "platform/ui/dragging.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <memory>
#include <set>

#include "platform/ui/detail/qt_dragging.h"
#include "platform/ui/detail/qt_event.h"
#include "platform/ui/detail/qt_image.h"
#include "platform/ui/detail/qt_view.h"

namespace ui {

namespace {

// The source of the drag this program runs, while it runs.
std::weak_ptr<DraggingSource>& currentSource()
{
    static std::weak_ptr<DraggingSource> source;
    return source;
}

constexpr const char* dragFolderPrefix = "vistrel-drag-";

// Locks the folder at `path` for as long as the descriptor stays open; -1 when another holds the lock.
int lockFolder(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) return -1;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) return descriptor;
    ::close(descriptor);
    return -1;
}

// This program's folder of dragged files, locked while the program runs so that a later start can tell it
// from one that a killed program left, and removed when the program ends.
class ProgramDragFolder {
public:
    ProgramDragFolder() : folder_(QDir::tempPath() + "/" + dragFolderPrefix + "XXXXXX")
    {
        if (folder_.isValid()) lock_ = lockFolder(folder_.path());
    }
    ~ProgramDragFolder()
    {
        if (lock_ >= 0) ::close(lock_);
    }
    QString path() const { return folder_.isValid() ? folder_.path() : QString(); }

private:
    QTemporaryDir folder_;
    int lock_ = -1;
};

QString promiseFolder()
{
    static ProgramDragFolder folder;
    return folder.path();
}

}  // namespace

void removeLeftoverDragFiles()
{
    const QDir temporary(QDir::tempPath());
    const auto folders =
        temporary.entryInfoList({QString(dragFolderPrefix) + "*"}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        if (folder.isSymLink()) continue;
        const int lock = lockFolder(folder.filePath());
        if (lock < 0) continue;  // its program runs
        QDir(folder.filePath()).removeRecursively();
        ::close(lock);
    }
}

std::string dragFilesFolder() { return promiseFolder().toStdString(); }

namespace {

std::atomic<std::size_t> readsSeen{0};

}  // namespace

std::size_t dragFileReadsSeen() { return readsSeen.load(); }

namespace {

DragPerformer& dragPerformer()
{
    static DragPerformer performer;
    return performer;
}

}  // namespace

void setDragPerformer(DragPerformer performer) { dragPerformer() = std::move(performer); }

namespace {

// The folder of one drag's files. It goes when the drag ends without a drop or hands over none (once the
// source's writing is over, so that no writing fails for want of it), and, after a drop, once every file has
// been read through by someone (the target copying it), or else with the program's folder.
class DragFiles : public QObject {
public:
    DragFiles(QString folder, QStringList names, std::weak_ptr<DraggingSource> source)
        : QObject(QCoreApplication::instance()), folder_(std::move(folder)), names_(std::move(names)),
          source_(std::move(source))
    {
        watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (watch_ < 0 || ::inotify_add_watch(watch_, QFile::encodeName(folder_).constData(), IN_CLOSE_NOWRITE) < 0)
            return;
        notifier_ = new QSocketNotifier(watch_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { readWatch(); });
    }
    ~DragFiles() override
    {
        delete notifier_;  // before its descriptor closes
        if (watch_ >= 0) ::close(watch_);
    }

    // The drag is over: its files stay only for a target that took them.
    void dragEnded(bool handedOver)
    {
        ended_ = true;
        handedOver_ = handedOver && !withheld_;
        removeWhenDone();
    }
    // The drop target was handed none of the files.
    void withheld()
    {
        withheld_ = true;
        handedOver_ = false;
        removeWhenDone();
    }

private:
    void readWatch()
    {
        alignas(inotify_event) char buffer[sizeof(inotify_event) + NAME_MAX + 1];
        std::size_t reads = 0;
        for (;;) {
            const ssize_t length = ::read(watch_, buffer, sizeof buffer);
            if (length <= 0) break;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) {
                    read_.insert(QFile::decodeName(event->name));
                    ++reads;
                }
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        removeWhenDone();
        readsSeen += reads;
    }

    bool settled() const
    {
        const auto source = source_.lock();
        return !source || source->promisedFilesSettled();
    }

    void removeWhenDone()
    {
        if (!ended_) return;
        const bool taken =
            std::all_of(names_.begin(), names_.end(), [&](const QString& name) { return read_.count(name) > 0; });
        if (handedOver_ && !taken) return;
        if (!settled()) {
            QTimer::singleShot(50, this, [this] { removeWhenDone(); });
            return;
        }
        QDir(folder_).removeRecursively();
        deleteLater();
    }

    const QString folder_;
    const QStringList names_;
    const std::weak_ptr<DraggingSource> source_;
    int watch_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::set<QString> read_;
    bool ended_ = false;
    bool handedOver_ = false;
    bool withheld_ = false;
};

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
    for (const QString& format : event_.mimeData()->formats())
        result.push_back(format.toStdString());
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

// How long a drop target may wait at most for promised files still being written.
constexpr int promiseWaitMilliseconds = 60000;

// Promised files dragged as file URLs. The source may still be writing them when the drag starts (each
// appears whole under its name), so a request for the URLs is answered once every file is there, running the
// loop meanwhile so that the writing can reach the main thread: with all of them, or, once the writing is over
// without some of them (or a minute has passed), with none, and the source tells the user.
class PromisedFiles : public QMimeData {
public:
    PromisedFiles(QList<QUrl> urls, std::weak_ptr<DraggingSource> source, DragFiles* files)
        : promised_(std::move(urls)), source_(std::move(source)), files_(files)
    {
        setUrls(promised_);
    }

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override
    {
        if (format == QLatin1String("text/uri-list") && !settled_) settle();
        return QMimeData::retrieveData(format, type);
    }

private:
    bool allThere() const
    {
        return std::all_of(promised_.begin(), promised_.end(),
                           [](const QUrl& url) { return QFileInfo::exists(url.toLocalFile()); });
    }

    bool writingOver() const
    {
        const auto source = source_.lock();
        return !source || source->promisedFilesSettled();
    }

    bool waitOver() const { return allThere() || writingOver() || deadline_->hasExpired(); }

    void settle() const
    {
        if (!deadline_) deadline_ = QDeadlineTimer(promiseWaitMilliseconds);
        if (!waitOver()) {
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (waitOver()) loop.quit();
            });
            poll.start(10);
            loop.exec();
        }
        settled_ = true;
        if (allThere()) return;
        const_cast<PromisedFiles*>(this)->setUrls({});
        if (files_) files_->withheld();
        if (const auto source = source_.lock()) source->promisedFilesWithheld();
    }

    QList<QUrl> promised_;
    std::weak_ptr<DraggingSource> source_;
    QPointer<DragFiles> files_;
    mutable std::optional<QDeadlineTimer> deadline_;
    mutable bool settled_ = false;
};

// The data the items carry, and the files that the source writes for the promises among them into a fresh
// folder (so that their names never meet the files of an earlier drag), with what looks after that folder.
QMimeData* dragData(const std::vector<DraggingItem>& items, const std::shared_ptr<DraggingSource>& source,
                    DragFiles*& files)
{
    QList<QUrl> urls;
    QStringList names;
    const bool promises = std::any_of(items.begin(), items.end(), isPromise);
    const QString folder = promises && source ? promiseFolder() : QString();
    QString path;
    if (!folder.isEmpty()) {
        QTemporaryDir each(folder + "/drop-XXXXXX");
        each.setAutoRemove(false);
        path = each.path();
        if (each.isValid())
            for (auto& name :
                 source->namesOfPromisedFilesDroppedAtDestination(core::Url::fileURL(path.toStdString()))) {
                names << QString::fromStdString(name);
                urls << QUrl::fromLocalFile(path + "/" + names.back());
            }
    }
    files = path.isEmpty() ? nullptr : new DragFiles(path, names, source);
    QMimeData* mime = urls.isEmpty() ? new QMimeData : new PromisedFiles(urls, source, files);
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
QPixmap dragPicture(const View& view, const std::vector<DraggingItem>& items, const gfx::Point& press, qreal pixelRatio,
                    QPoint& hotSpot)
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
        painter.drawImage(QRectF(f.minX() - area.minX(), top(f), f.width(), f.height()),
                          qImageFromImage(*dragged.image));
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
    DragFiles* files = nullptr;
    drag->setMimeData(dragData(items, source, files));
    const QPointer<DragFiles> dragFiles = files;
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
    if (!actions) actions = Qt::CopyAction;
    const Qt::DropAction done = dragPerformer() ? dragPerformer()(*drag, actions) : drag->exec(actions);
    currentSource().reset();
    if (dragFiles) dragFiles->dragEnded(done != Qt::IgnoreAction);
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
