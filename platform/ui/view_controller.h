// Manages a view: made lazily by loadView() (the registered interface of nibName(), else a plain view) on the
// first read of view(), followed by viewDidLoad(). Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/responder.h"

namespace ui {

class View;

class ViewController : public Responder {
public:
    explicit ViewController(std::string nibName = {});

    std::shared_ptr<View> view();
    void setView(const std::shared_ptr<View>& view);
    bool isViewLoaded() const { return view_ != nullptr; }
    const std::string& nibName() const { return nibName_; }
    std::string title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }

    // Makes the view; builds the interface named nibName() when one is registered, else a plain view.
    virtual void loadView();
    virtual void viewDidLoad() {}

private:
    std::string nibName_;
    std::string title_;
    std::shared_ptr<View> view_;
    bool loading_ = false;
};

}  // namespace ui
