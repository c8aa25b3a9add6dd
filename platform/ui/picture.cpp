#include "platform/ui/picture.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImageReader>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/core/bundle.h"
#include "platform/core/data.h"
#include "platform/gfx/bitmap_context.h"
#include "platform/gfx/context.h"
#include "platform/gfx/detail/qt_context.h"
#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"
#include "platform/ui/detail/qt_image.h"

namespace ui {

namespace {

// Theme icon names for the system names, with a widget-style stand-in.
struct SystemPicture {
    const char* theme;
    QStyle::StandardPixmap fallback;
};

const std::map<std::string, SystemPicture>& systemPictures()
{
    static const std::map<std::string, SystemPicture> table = {
        {"NSPreferencesGeneral", {"preferences-system", QStyle::SP_FileDialogDetailedView}},
        {"NSAdvanced", {"preferences-other", QStyle::SP_FileDialogInfoView}},
        {"NSInfo", {"dialog-information", QStyle::SP_MessageBoxInformation}},
        {"NSCaution", {"dialog-warning", QStyle::SP_MessageBoxWarning}},
        {"NSFolder", {"folder", QStyle::SP_DirIcon}},
        {"NSComputer", {"computer", QStyle::SP_ComputerIcon}},
        {"NSNetwork", {"network-workgroup", QStyle::SP_DriveNetIcon}},
        {"NSTrashEmpty", {"user-trash", QStyle::SP_TrashIcon}},
        {"NSTrashFull", {"user-trash-full", QStyle::SP_TrashIcon}},
        {"NSApplicationIcon", {"application-x-executable", QStyle::SP_DesktopIcon}},
        {"NSUser", {"user-identity", QStyle::SP_DirHomeIcon}},
        {"NSHomeTemplate", {"go-home", QStyle::SP_DirHomeIcon}},
        {"NSAddTemplate", {"list-add", QStyle::SP_FileDialogNewFolder}},
        {"NSRemoveTemplate", {"list-remove", QStyle::SP_DialogDiscardButton}},
        {"NSGoRightTemplate", {"go-next", QStyle::SP_ArrowRight}},
        {"NSGoLeftTemplate", {"go-previous", QStyle::SP_ArrowLeft}},
        {"NSRightFacingTriangleTemplate", {"pan-end-symbolic", QStyle::SP_MediaPlay}},
        {"NSLeftFacingTriangleTemplate", {"pan-start-symbolic", QStyle::SP_ArrowBack}},
        {"NSRefreshTemplate", {"view-refresh", QStyle::SP_BrowserReload}},
        {"NSRefreshFreestandingTemplate", {"view-refresh", QStyle::SP_BrowserReload}},
        {"NSStopProgressTemplate", {"process-stop", QStyle::SP_BrowserStop}},
        {"NSStopProgressFreestandingTemplate", {"process-stop", QStyle::SP_BrowserStop}},
        {"NSEnterFullScreenTemplate", {"view-fullscreen", QStyle::SP_TitleBarMaxButton}},
        {"NSExitFullScreenTemplate", {"view-restore", QStyle::SP_TitleBarNormalButton}},
        {"NSLockLockedTemplate", {"changes-prevent", QStyle::SP_MessageBoxCritical}},
        {"NSLockUnlockedTemplate", {"changes-allow", QStyle::SP_DialogOkButton}},
        {"NSActionTemplate", {"system-run", QStyle::SP_CommandLink}},
        {"NSQuickLookTemplate", {"document-preview", QStyle::SP_FileDialogContentsView}},
        {"NSListViewTemplate", {"view-list-details", QStyle::SP_FileDialogListView}},
        {"NSIconViewTemplate", {"view-list-icons", QStyle::SP_FileDialogContentsView}},
        {"NSMultipleDocuments", {"document-multiple", QStyle::SP_FileIcon}},
        {"NSMenuOnStateTemplate", {"object-select", QStyle::SP_DialogApplyButton}},
        {"NSInvalidDataFreestandingTemplate", {"dialog-error", QStyle::SP_MessageBoxCritical}},
    };
    return table;
}

bool isTemplateName(const std::string& name)
{
    static const std::string suffix = "Template";
    return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A scalable drawing: its size in points, and a handler that renders it at as many pixels as the current
// context gives the rectangle, so that it stays sharp at any scale. Null when the bytes are no drawing.
std::shared_ptr<Picture> scalableDrawing(const QByteArray& bytes)
{
    QBuffer probe;
    probe.setData(bytes);
    QImageReader reader(&probe, "svg");
    const QSize size = reader.size();
    if (!reader.canRead() || size.isEmpty()) return nullptr;
    return Picture::withSize({double(size.width()), double(size.height())}, false, [bytes](const gfx::Rect& rect) {
        gfx::Context* context = gfx::Context::current();
        if (!context) return false;
        const QTransform device = gfx::userToDevice(*context);
        const double scale = std::sqrt(std::abs(device.determinant()));
        const int width = int(std::ceil(rect.width() * scale)), height = int(std::ceil(rect.height() * scale));
        if (width <= 0 || height <= 0) return false;
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader renderer(&buffer, "svg");
        renderer.setScaledSize(QSize(width, height));
        const gfx::ImageRef image = imageFromQImage(renderer.read());
        if (!image) return false;
        context->drawImage(image, rect);
        return true;
    });
}

std::shared_ptr<Picture> pictureFromFile(const core::Url& url, const std::string& extension)
{
    if (extension != "svg") return Picture::withImage(gfx::ImageReader::read(url));
    const auto bytes = core::readData(url.path());
    return bytes ? scalableDrawing(QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())))
                 : nullptr;
}

}  // namespace

std::shared_ptr<Picture> Picture::withImage(const gfx::ImageRef& image, const gfx::Size& size)
{
    if (!image) return nullptr;
    auto picture = core::make<Picture>();
    picture->bitmaps_.push_back(image);
    picture->size_ =
        size.width > 0 && size.height > 0 ? size : gfx::Size{double(image->width()), double(image->height())};
    return picture;
}

std::shared_ptr<Picture> Picture::withSize(const gfx::Size& size, bool flipped, DrawingHandler handler)
{
    auto picture = core::make<Picture>();
    picture->size_ = size;
    picture->flipped_ = flipped;
    picture->handler_ = std::move(handler);
    return picture;
}

std::shared_ptr<Picture> Picture::system(const std::string& name)
{
    auto found = systemPictures().find(name);
    if (found == systemPictures().end() || !qApp) return nullptr;
    QIcon icon = QIcon::fromTheme(found->second.theme);
    if (icon.isNull()) icon = QApplication::style()->standardIcon(found->second.fallback);
    if (icon.isNull()) return nullptr;
    auto picture = core::make<Picture>();
    for (int side : {32, 64, 128})
        if (auto bitmap = imageFromQImage(icon.pixmap(side, side).toImage())) picture->bitmaps_.push_back(bitmap);
    if (picture->bitmaps_.empty()) return nullptr;
    picture->size_ = {32, 32};
    picture->template_ = isTemplateName(name);
    return picture;
}

std::shared_ptr<Picture> Picture::named(const std::string& name)
{
    if (auto bundle = core::Bundle::main())
        if (auto picture = fromBundle(*bundle, name)) return picture;
    return system(name);
}

std::shared_ptr<Picture> Picture::fromBundle(const core::Bundle& bundle, const std::string& name)
{
    for (const char* extension : {"", "png", "tiff", "tif", "jpg", "jpeg", "gif", "svg"})
        if (const auto url = bundle.urlForResource(name, extension))
            if (auto picture = pictureFromFile(*url, extension)) {
                picture->template_ = isTemplateName(name);
                return picture;
            }
    return nullptr;
}

std::vector<Picture::Representation> Picture::representations() const
{
    std::vector<Representation> reps;
    for (auto& bitmap : bitmaps_)
        reps.push_back({bitmap, bitmap->width(), bitmap->height()});
    if (handler_) reps.push_back({nullptr, int(std::lround(size_.width)), int(std::lround(size_.height))});
    return reps;
}

void Picture::addRepresentation(const gfx::ImageRef& bitmap)
{
    if (bitmap) bitmaps_.push_back(bitmap);
}

gfx::ImageRef Picture::cgImage(const std::optional<gfx::Rect>&) const
{
    if (!bitmaps_.empty())
        return *std::max_element(bitmaps_.begin(), bitmaps_.end(), [](auto& a, auto& b) {
            return double(a->width()) * a->height() < double(b->width()) * b->height();
        });
    if (!handler_) return nullptr;
    auto bitmap = gfx::BitmapContext::create(int(std::ceil(size_.width)), int(std::ceil(size_.height)),
                                             gfx::AlphaInfo::premultipliedFirst);
    if (!bitmap) return nullptr;
    gfx::ContextScope scope(*bitmap);
    if (flipped_) {
        bitmap->translateBy(0, size_.height);
        bitmap->scaleBy(1, -1);
    }
    if (!handler_({{0, 0}, size_})) return nullptr;
    return bitmap->makeImage();
}

std::shared_ptr<Picture> Picture::copy() const
{
    auto picture = core::make<Picture>();
    picture->size_ = size_;
    picture->flipped_ = flipped_;
    picture->template_ = template_;
    picture->bitmaps_ = bitmaps_;
    picture->handler_ = handler_;
    return picture;
}

Picture::~Picture() = default;

void Picture::lockFocus()
{
    if (focus_) return;
    const gfx::ImageRef current = cgImage();
    focus_ = gfx::BitmapContext::create(int(std::ceil(size_.width)), int(std::ceil(size_.height)),
                                        gfx::AlphaInfo::premultipliedFirst);
    if (!focus_) return;
    if (current) focus_->drawImage(current, {{0, 0}, size_});
    focusScope_ = std::make_unique<gfx::ContextScope>(*focus_);
}

void Picture::unlockFocus()
{
    if (!focus_) return;
    focusScope_.reset();
    bitmaps_ = {focus_->makeImage()};
    handler_ = nullptr;
    focus_.reset();
}

std::optional<core::Data> Picture::tiffRepresentation() const
{
    return BitmapImageRep::representation(cgImage(), gfx::BitmapFileType::tiff);
}

void Picture::drawInRect(const gfx::Rect& rect, double alpha) const
{
    auto* context = gfx::Context::current();
    if (!context) return;
    context->save();
    context->setAlpha(alpha);
    if (bitmaps_.empty() && handler_ && size_.width > 0 && size_.height > 0) {
        // Drawn afresh, so that it takes as many pixels as the context gives it.
        context->translateBy(rect.minX(), rect.minY());
        context->scaleBy(rect.width() / size_.width, rect.height() / size_.height);
        if (flipped_) {
            context->translateBy(0, size_.height);
            context->scaleBy(1, -1);
        }
        handler_({{0, 0}, size_});
    } else if (auto image = cgImage()) {
        context->drawImage(image, rect);
    }
    context->restore();
}

std::optional<core::Data> BitmapImageRep::representation(const gfx::ImageRef& bitmap, gfx::BitmapFileType type)
{
    if (!bitmap) return std::nullopt;
    gfx::ImageFileType fileType;
    switch (type) {
    case gfx::BitmapFileType::tiff:
        fileType = gfx::ImageFileType::tiff;
        break;
    case gfx::BitmapFileType::gif:
        fileType = gfx::ImageFileType::gif;
        break;
    case gfx::BitmapFileType::jpeg:
        fileType = gfx::ImageFileType::jpeg;
        break;
    case gfx::BitmapFileType::png:
        fileType = gfx::ImageFileType::png;
        break;
    default:
        return std::nullopt;
    }
    auto writer = gfx::ImageWriter::createInMemory(fileType, 1);
    if (!writer) return std::nullopt;
    writer->addImage(bitmap);
    if (!writer->finalize()) return std::nullopt;
    return writer->data();
}

gfx::ImageRef Picture::bitmap(const gfx::Size& size, double scale, const gfx::Color& tint) const
{
    const int width = int(std::ceil(size.width * scale)), height = int(std::ceil(size.height * scale));
    auto context = gfx::BitmapContext::create(width, height, gfx::AlphaInfo::premultipliedFirst);
    if (!context || (bitmaps_.empty() && !handler_)) return nullptr;
    gfx::ContextScope scope(*context);
    context->scaleBy(scale, scale);
    const gfx::Rect rect{{0, 0}, size};
    drawInRect(rect);
    if (template_) {
        context->setBlendMode(gfx::BlendMode::sourceAtop);
        context->setFillColor(tint);
        context->fillRect(rect);
    }
    return context->makeImage();
}

}  // namespace ui
