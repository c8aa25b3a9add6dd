// The edition popover shared by every movie panel: buttons that turn the picture of the panel's movie a
// quarter left or right and mirror it horizontally or vertically, laid out by the kit's interface file
// "EditionPopoverView". The movie is held weakly, never owned; closing the popover lets it go.
// Main thread only.
#pragma once

#include "appkit/popover_controller.h"
#include "moviekit/interface_file.h"
#include "moviekit/movie.h"

#include <memory>

namespace orvalis {

class EditionPopoverController : public kestrane::PopoverController, public InterfaceFileOwner {
public:
    // The one every panel uses, made on first use and never released.
    static const std::shared_ptr<EditionPopoverController>& sharedController();

    EditionPopoverController();
    // Loads the view at once and registers the actions rotateLeft, rotateRight, flipHorizontally and
    // flipVertically (movie_actions.h).
    void awake() override;

    MovieRef movie() const { return movie_.lock(); }
    void setMovie(const MovieRef& movie) { movie_ = movie; }

    // Each changes the movie's edition in place, once; nothing without a movie.
    void rotateLeft();
    void rotateRight();
    void flipHorizontally();
    void flipVertically();
    // The popover closes: the movie goes.
    void popoverWillClose(ui::Popover& popover) override;

    // The file has no outlets.
    void setOutlet(const std::string&, const std::shared_ptr<ui::View>&) override {}

private:
    void changeEdition(void (Edition::*change)());

    std::weak_ptr<Movie> movie_;
};

}  // namespace orvalis
