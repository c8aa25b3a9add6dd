#include "appkit/image_extensions.h"

#include <algorithm>

#include "platform/gfx/context.h"

namespace kestrane {

namespace Picture {
std::shared_ptr<ui::Picture> quickLookTemplate() { return ui::Picture::system("NSQuickLookTemplate"); }
std::shared_ptr<ui::Picture> bluetoothTemplate() { return ui::Picture::system("NSBluetoothTemplate"); }
std::shared_ptr<ui::Picture> ichatTheaterTemplate() { return ui::Picture::system("NSIChatTheaterTemplate"); }
std::shared_ptr<ui::Picture> slideshowTemplate() { return ui::Picture::system("NSSlideshowTemplate"); }
std::shared_ptr<ui::Picture> actionTemplate() { return ui::Picture::system("NSActionTemplate"); }
std::shared_ptr<ui::Picture> smartBadgeTemplate() { return ui::Picture::system("NSSmartBadgeTemplate"); }
std::shared_ptr<ui::Picture> iconViewTemplate() { return ui::Picture::system("NSIconViewTemplate"); }
std::shared_ptr<ui::Picture> listViewTemplate() { return ui::Picture::system("NSListViewTemplate"); }
std::shared_ptr<ui::Picture> columnViewTemplate() { return ui::Picture::system("NSColumnViewTemplate"); }
std::shared_ptr<ui::Picture> flowViewTemplate() { return ui::Picture::system("NSFlowViewTemplate"); }
std::shared_ptr<ui::Picture> pathTemplate() { return ui::Picture::system("NSPathTemplate"); }
std::shared_ptr<ui::Picture> invalidDataFreestandingTemplate()
{
    return ui::Picture::system("NSInvalidDataFreestandingTemplate");
}
std::shared_ptr<ui::Picture> lockLockedTemplate() { return ui::Picture::system("NSLockLockedTemplate"); }
std::shared_ptr<ui::Picture> lockUnlockedTemplate() { return ui::Picture::system("NSLockUnlockedTemplate"); }
std::shared_ptr<ui::Picture> goRightTemplate() { return ui::Picture::system("NSGoRightTemplate"); }
std::shared_ptr<ui::Picture> goLeftTemplate() { return ui::Picture::system("NSGoLeftTemplate"); }
std::shared_ptr<ui::Picture> rightFacingTriangleTemplate()
{
    return ui::Picture::system("NSRightFacingTriangleTemplate");
}
std::shared_ptr<ui::Picture> leftFacingTriangleTemplate()
{
    return ui::Picture::system("NSLeftFacingTriangleTemplate");
}
std::shared_ptr<ui::Picture> addTemplate() { return ui::Picture::system("NSAddTemplate"); }
std::shared_ptr<ui::Picture> removeTemplate() { return ui::Picture::system("NSRemoveTemplate"); }
std::shared_ptr<ui::Picture> revealFreestandingTemplate()
{
    return ui::Picture::system("NSRevealFreestandingTemplate");
}
std::shared_ptr<ui::Picture> followLinkFreestandingTemplate()
{
    return ui::Picture::system("NSFollowLinkFreestandingTemplate");
}
std::shared_ptr<ui::Picture> enterFullScreenTemplate() { return ui::Picture::system("NSEnterFullScreenTemplate"); }
std::shared_ptr<ui::Picture> exitFullScreenTemplate() { return ui::Picture::system("NSExitFullScreenTemplate"); }
std::shared_ptr<ui::Picture> stopProgressTemplate() { return ui::Picture::system("NSStopProgressTemplate"); }
std::shared_ptr<ui::Picture> stopProgressFreestandingTemplate()
{
    return ui::Picture::system("NSStopProgressFreestandingTemplate");
}
std::shared_ptr<ui::Picture> refreshTemplate() { return ui::Picture::system("NSRefreshTemplate"); }
std::shared_ptr<ui::Picture> refreshFreestandingTemplate()
{
    return ui::Picture::system("NSRefreshFreestandingTemplate");
}
std::shared_ptr<ui::Picture> bonjourImage() { return ui::Picture::system("NSBonjour"); }
std::shared_ptr<ui::Picture> computerImage() { return ui::Picture::system("NSComputer"); }
std::shared_ptr<ui::Picture> folderBurnableImage() { return ui::Picture::system("NSFolderBurnable"); }
std::shared_ptr<ui::Picture> folderSmart() { return ui::Picture::system("NSFolderSmart"); }
std::shared_ptr<ui::Picture> folderImage() { return ui::Picture::system("NSFolder"); }
std::shared_ptr<ui::Picture> networkImage() { return ui::Picture::system("NSNetwork"); }
std::shared_ptr<ui::Picture> mobileMeImage() { return ui::Picture::system("NSMobileMe"); }
std::shared_ptr<ui::Picture> multipleDocumentsImage() { return ui::Picture::system("NSMultipleDocuments"); }
std::shared_ptr<ui::Picture> userAccountsImage() { return ui::Picture::system("NSUserAccounts"); }
std::shared_ptr<ui::Picture> preferencesGeneralImage() { return ui::Picture::system("NSPreferencesGeneral"); }
std::shared_ptr<ui::Picture> advancedImage() { return ui::Picture::system("NSAdvanced"); }
std::shared_ptr<ui::Picture> infoImage() { return ui::Picture::system("NSInfo"); }
std::shared_ptr<ui::Picture> fontPanelImage() { return ui::Picture::system("NSFontPanel"); }
std::shared_ptr<ui::Picture> colorPanelImage() { return ui::Picture::system("NSColorPanel"); }
std::shared_ptr<ui::Picture> userImage() { return ui::Picture::system("NSUser"); }
std::shared_ptr<ui::Picture> userGroupImage() { return ui::Picture::system("NSUserGroup"); }
std::shared_ptr<ui::Picture> everyoneImage() { return ui::Picture::system("NSEveryone"); }
std::shared_ptr<ui::Picture> userGuestImage() { return ui::Picture::system("NSUserGuest"); }
std::shared_ptr<ui::Picture> menuOnStateTemplate() { return ui::Picture::system("NSMenuOnStateTemplate"); }
std::shared_ptr<ui::Picture> mixedStateTemplate() { return ui::Picture::system("NSMenuMixedStateTemplate"); }
std::shared_ptr<ui::Picture> applicationIconImage() { return ui::Picture::system("NSApplicationIcon"); }
std::shared_ptr<ui::Picture> trashEmptyImage() { return ui::Picture::system("NSTrashEmpty"); }
std::shared_ptr<ui::Picture> trashFullImage() { return ui::Picture::system("NSTrashFull"); }
std::shared_ptr<ui::Picture> homeTemplate() { return ui::Picture::system("NSHomeTemplate"); }
std::shared_ptr<ui::Picture> bookmarksTemplate() { return ui::Picture::system("NSBookmarksTemplate"); }
std::shared_ptr<ui::Picture> cautionImage() { return ui::Picture::system("NSCaution"); }
std::shared_ptr<ui::Picture> statusAvailableImage() { return ui::Picture::system("NSStatusAvailable"); }
std::shared_ptr<ui::Picture> statusPartiallyAvailableImage()
{
    return ui::Picture::system("NSStatusPartiallyAvailable");
}
std::shared_ptr<ui::Picture> statusUnavailableImage() { return ui::Picture::system("NSStatusUnavailable"); }
std::shared_ptr<ui::Picture> statusNoneImage() { return ui::Picture::system("NSStatusNone"); }
}  // namespace Picture

std::shared_ptr<ui::Picture> pictureWithCGImage(const gfx::ImageRef& image)
{
    return ui::Picture::withImage(image, {});
}

std::shared_ptr<ui::Picture> pictureWithSize(const gfx::Size& size, const gfx::Color& color)
{
    return ui::Picture::withSize(size, false, [color](const gfx::Rect& rect) {
        gfx::Context* context = gfx::Context::current();
        if (!context) return false;
        context->setFillColor(color);
        context->rectFill(rect, gfx::BlendMode::copy);
        return true;
    });
}

gfx::Rect rect(const ui::Picture& picture) { return {{0, 0}, picture.size()}; }

gfx::Size maxRepSize(const ui::Picture& picture)
{
    gfx::Size size{0, 0};
    for (const auto& representation : picture.representations()) {
        size.width = std::max(size.width, double(representation.pixelsWide));
        size.height = std::max(size.height, double(representation.pixelsHigh));
    }
    return size;
}

gfx::Rect maxRepRect(const ui::Picture& picture) { return {{0, 0}, maxRepSize(picture)}; }

bool hasRepresentation(const ui::Picture& picture) { return !picture.representations().empty(); }

gfx::ImageRef toCGImage(const ui::Picture& picture) { return picture.cgImage(rect(picture)); }

gfx::ImageRef toBitmapRep(const ui::Picture& picture)
{
    for (const auto& representation : picture.representations())
        if (representation.bitmap) return representation.bitmap;
    return nullptr;
}

std::shared_ptr<ui::Picture> tintedImage(const ui::Picture& picture, const gfx::Color& color)
{
    auto copy = picture.copy();
    copy->lockFocus();
    if (gfx::Context* context = gfx::Context::current()) {
        context->setFillColor(color);
        context->rectFill(rect(picture), gfx::BlendMode::sourceAtop);
    }
    copy->unlockFocus();
    return copy;
}

std::optional<core::Data> TIFFData(const ui::Picture& picture) { return picture.tiffRepresentation(); }

std::optional<core::Data> PNGData(const ui::Picture& picture)
{
    auto bitmap = toBitmapRep(picture);
    if (!bitmap) return std::nullopt;
    return ui::BitmapImageRep::representation(bitmap, gfx::BitmapFileType::png);
}

std::optional<core::Data> JPEGData(const ui::Picture& picture)
{
    auto bitmap = toBitmapRep(picture);
    if (!bitmap) return std::nullopt;
    return ui::BitmapImageRep::representation(bitmap, gfx::BitmapFileType::jpeg);
}

std::optional<core::Data> data(const ui::Picture& picture, ImageFormat format)
{
    switch (format) {
    case ImageFormat::png:
        return PNGData(picture);
    case ImageFormat::jpg:
        return JPEGData(picture);
    case ImageFormat::tiff:
        return TIFFData(picture);
    }
    return std::nullopt;
}

bool write(const ui::Picture& picture, ImageFormat format, const core::Url& url)
{
    auto bytes = data(picture, format);
    return bytes && core::writeAtomically(*bytes, url);
}

}  // namespace kestrane
