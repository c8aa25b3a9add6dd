// Short names for the desktop's standard pictures, pictures made from a bitmap or a plain colour, the
// geometry of a picture and its largest bitmap, a tinted copy, and encoding into PNG, JPEG or TIFF data and
// files. Main thread for anything that locks focus; the rest reads the picture on its owner's thread.
#pragma once

#include <memory>
#include <optional>

#include "foundation/image_format.h"
#include "platform/core/data.h"
#include "platform/core/url.h"
#include "platform/gfx/color.h"
#include "platform/ui/picture.h"

namespace kestrane {

// The standard pictures, looked up on every call; null where the desktop has none.
namespace Picture {
std::shared_ptr<ui::Picture> quickLookTemplate();
std::shared_ptr<ui::Picture> bluetoothTemplate();
std::shared_ptr<ui::Picture> ichatTheaterTemplate();
std::shared_ptr<ui::Picture> slideshowTemplate();
std::shared_ptr<ui::Picture> actionTemplate();
std::shared_ptr<ui::Picture> smartBadgeTemplate();
std::shared_ptr<ui::Picture> iconViewTemplate();
std::shared_ptr<ui::Picture> listViewTemplate();
std::shared_ptr<ui::Picture> columnViewTemplate();
std::shared_ptr<ui::Picture> flowViewTemplate();
std::shared_ptr<ui::Picture> pathTemplate();
std::shared_ptr<ui::Picture> invalidDataFreestandingTemplate();
std::shared_ptr<ui::Picture> lockLockedTemplate();
std::shared_ptr<ui::Picture> lockUnlockedTemplate();
std::shared_ptr<ui::Picture> goRightTemplate();
std::shared_ptr<ui::Picture> goLeftTemplate();
std::shared_ptr<ui::Picture> rightFacingTriangleTemplate();
std::shared_ptr<ui::Picture> leftFacingTriangleTemplate();
std::shared_ptr<ui::Picture> addTemplate();
std::shared_ptr<ui::Picture> removeTemplate();
std::shared_ptr<ui::Picture> revealFreestandingTemplate();
std::shared_ptr<ui::Picture> followLinkFreestandingTemplate();
std::shared_ptr<ui::Picture> enterFullScreenTemplate();
std::shared_ptr<ui::Picture> exitFullScreenTemplate();
std::shared_ptr<ui::Picture> stopProgressTemplate();
std::shared_ptr<ui::Picture> stopProgressFreestandingTemplate();
std::shared_ptr<ui::Picture> refreshTemplate();
std::shared_ptr<ui::Picture> refreshFreestandingTemplate();
std::shared_ptr<ui::Picture> bonjourImage();
std::shared_ptr<ui::Picture> computerImage();
std::shared_ptr<ui::Picture> folderBurnableImage();
std::shared_ptr<ui::Picture> folderSmart();
std::shared_ptr<ui::Picture> folderImage();
std::shared_ptr<ui::Picture> networkImage();
std::shared_ptr<ui::Picture> mobileMeImage();
std::shared_ptr<ui::Picture> multipleDocumentsImage();
std::shared_ptr<ui::Picture> userAccountsImage();
std::shared_ptr<ui::Picture> preferencesGeneralImage();
std::shared_ptr<ui::Picture> advancedImage();
std::shared_ptr<ui::Picture> infoImage();
std::shared_ptr<ui::Picture> fontPanelImage();
std::shared_ptr<ui::Picture> colorPanelImage();
std::shared_ptr<ui::Picture> userImage();
std::shared_ptr<ui::Picture> userGroupImage();
std::shared_ptr<ui::Picture> everyoneImage();
std::shared_ptr<ui::Picture> userGuestImage();
std::shared_ptr<ui::Picture> menuOnStateTemplate();
std::shared_ptr<ui::Picture> mixedStateTemplate();
std::shared_ptr<ui::Picture> applicationIconImage();
std::shared_ptr<ui::Picture> trashEmptyImage();
std::shared_ptr<ui::Picture> trashFullImage();
std::shared_ptr<ui::Picture> homeTemplate();
std::shared_ptr<ui::Picture> bookmarksTemplate();
std::shared_ptr<ui::Picture> cautionImage();
std::shared_ptr<ui::Picture> statusAvailableImage();
std::shared_ptr<ui::Picture> statusPartiallyAvailableImage();
std::shared_ptr<ui::Picture> statusUnavailableImage();
std::shared_ptr<ui::Picture> statusNoneImage();
}  // namespace Picture

// A picture of the bitmap at its pixel size; null for a null bitmap.
std::shared_ptr<ui::Picture> pictureWithCGImage(const gfx::ImageRef& image);
// A picture of `size` that fills itself with `color` whenever it is drawn (it holds no bitmap).
std::shared_ptr<ui::Picture> pictureWithSize(const gfx::Size& size, const gfx::Color& color);

gfx::Rect rect(const ui::Picture& picture);
// The widest and the highest pixel counts over the representations, each on its own; (0, 0) without any.
gfx::Size maxRepSize(const ui::Picture& picture);
gfx::Rect maxRepRect(const ui::Picture& picture);
bool hasRepresentation(const ui::Picture& picture);

gfx::ImageRef toCGImage(const ui::Picture& picture);
// The first bitmap representation; null when there is none.
gfx::ImageRef toBitmapRep(const ui::Picture& picture);
// A copy with `color` laid over its opaque parts (source-atop); the picture itself is unchanged.
std::shared_ptr<ui::Picture> tintedImage(const ui::Picture& picture, const gfx::Color& color);

// Each nullopt when the picture cannot be encoded (PNG and JPEG need a bitmap representation).
std::optional<core::Data> TIFFData(const ui::Picture& picture);
std::optional<core::Data> PNGData(const ui::Picture& picture);
std::optional<core::Data> JPEGData(const ui::Picture& picture);
std::optional<core::Data> data(const ui::Picture& picture, ImageFormat format);
// Writes the encoded picture atomically; false when it gives no data or the write fails.
bool write(const ui::Picture& picture, ImageFormat format, const core::Url& url);

}  // namespace kestrane
