// A scroll view whose magnification limits follow its document view: the document may be shown no smaller
// than its minimum width or height and no larger than its maximum width or height, in points. The limits are
// recomputed when the document view is replaced and when its frame changes; setting the sizes alone does not.
// Main thread only.
#pragma once

#include "foundation/kvo_dispatcher.h"
#include "platform/ui/scroll_view.h"

namespace kestrane {

class SizedScrollView : public ui::ScrollView, public KVOObserving {
public:
    explicit SizedScrollView(const gfx::Rect& frame = {});
    // Stops listening to frame changes; the dispatcher drops the document-view observation of a view that is
    // gone.
    ~SizedScrollView() override;
    // Starts following the document view (sizedScrollViewSetup).
    void awake() override;

    virtual double documentMinWidth() const { return documentMinWidth_; }
    virtual void setDocumentMinWidth(double width) { documentMinWidth_ = width; }
    virtual double documentMinHeight() const { return documentMinHeight_; }
    virtual void setDocumentMinHeight(double height) { documentMinHeight_ = height; }
    virtual double documentMaxWidth() const { return documentMaxWidth_; }
    virtual void setDocumentMaxWidth(double width) { documentMaxWidth_ = width; }
    virtual double documentMaxHeight() const { return documentMaxHeight_; }
    virtual void setDocumentMaxHeight(double height) { documentMaxHeight_ = height; }

    // Sets the largest magnification (the later of the maximum width and height is reached), then the
    // smallest (the later of the minimum width and height is reached). Without a document view, or with one
    // of zero width or height, the limits stay as they are.
    virtual void updateMagnification();

private:
    void sizedScrollViewSetup();
    // Moves the frame observation to `document` and recomputes the limits.
    void documentViewDidChange(const std::shared_ptr<ui::View>& document);

    // The owner of the frame observation, apart from the scroll view's own registrations with the centre.
    struct FrameObserver : core::Object {};
    FrameObserver frameObserver_;
    double documentMinWidth_ = 100;
    double documentMinHeight_ = 100;
    double documentMaxWidth_ = 10000;
    double documentMaxHeight_ = 10000;
};

}  // namespace kestrane
