#include "platform/ui/alert.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "platform/core/main_thread.h"
#include "platform/ui/detail/qt_window.h"

namespace ui {

struct Alert::Impl {
    QPointer<QMessageBox> box;
    std::vector<QAbstractButton*> buttons;
};

Alert::Alert() : impl_(std::make_unique<Impl>()) {}

Alert::~Alert()
{
    if (impl_->box) impl_->box->deleteLater();
}

namespace {

QMessageBox* makeBox(const Alert& alert, QWidget* parent, std::vector<QAbstractButton*>& buttons)
{
    auto* box = new QMessageBox(parent);
    box->setText(QString::fromStdString(alert.messageText()));
    box->setInformativeText(QString::fromStdString(alert.informativeText()));
    box->setIcon(alert.alertStyle() == AlertStyle::critical        ? QMessageBox::Critical
                 : alert.alertStyle() == AlertStyle::informational ? QMessageBox::Information
                                                                   : QMessageBox::Warning);
    std::vector<std::string> titles = alert.buttonTitles();
    if (titles.empty()) titles.push_back("OK");
    buttons.clear();
    for (std::size_t i = 0; i < titles.size(); ++i) {
        // Buttons take custom roles, so that Qt keeps their order and asks nothing of their meaning.
        auto* button = box->addButton(QString::fromStdString(titles[i]), QMessageBox::ActionRole);
        buttons.push_back(button);
        if (i == 0) box->setDefaultButton(button);
    }
    return box;
}

ModalResponse responseOf(QMessageBox* box, const std::vector<QAbstractButton*>& buttons)
{
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box->clickedButton() == buttons[i]) return ModalResponses::alertFirstButton + ModalResponse(i);
    return ModalResponses::cancel;
}

}  // namespace

ModalResponse Alert::runModal()
{
    core::assertMainThread();
    std::vector<QAbstractButton*> buttons;
    QMessageBox* box = makeBox(*this, nullptr, buttons);
    box->exec();
    const ModalResponse response = responseOf(box, buttons);
    delete box;
    return response;
}

void Alert::beginSheetModal(const std::shared_ptr<Window>& window, std::function<void(ModalResponse)> completion)
{
    core::assertMainThread();
    if (impl_->box) impl_->box->deleteLater();
    QWidget* parent = window ? widgetOf(*window) : nullptr;
    QMessageBox* box = makeBox(*this, parent, impl_->buttons);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    impl_->box = box;
    auto self = sharedAs<Alert>();  // the alert lives until its sheet has ended
    QObject::connect(box, &QMessageBox::finished, [self, box, completion](int) {
        const ModalResponse response = responseOf(box, self->impl_->buttons);
        box->deleteLater();
        if (completion) completion(response);
    });
    box->open();
}

}  // namespace ui
