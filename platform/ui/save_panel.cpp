#include "platform/ui/save_panel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

#include "platform/core/main_thread.h"
#include "platform/core/user_defaults.h"
#include "platform/core/value.h"
#include "platform/ui/detail/qt_window.h"

namespace ui {

namespace {

// A file dialog that, when folders may be chosen along with files, takes a selected folder instead of
// opening it.
class PanelDialog : public QFileDialog {
public:
    bool acceptsFolders = false;

protected:
    void accept() override
    {
        if (acceptsFolders) {
            const QStringList chosen = selectedFiles();
            if (!chosen.isEmpty() && QFileInfo(chosen.first()).isDir()) {
                QDialog::accept();
                return;
            }
        }
        QFileDialog::accept();
    }
};

// "Movies (*.mp4 *.mkv)", or the patterns alone without a title.
QString titledFilter(const std::string& title, const QString& patterns)
{
    if (title.empty()) return patterns;
    return QString::fromStdString(title) + " (" + patterns + ")";
}

}  // namespace

struct SavePanel::Impl {
    QPointer<PanelDialog> dialog;
};

SavePanel::SavePanel() : impl_(std::make_unique<Impl>()) {}

SavePanel::~SavePanel() { delete impl_->dialog.data(); }

std::optional<core::Url> SavePanel::url() const
{
    if (urls_.empty()) return std::nullopt;
    return urls_.front();
}

void SavePanel::configure()
{
    PanelDialog* dialog = impl_->dialog;
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::ReadOnly, !canCreateDirectories_);
    if (!title_.empty()) dialog->setWindowTitle(QString::fromStdString(title_));
    if (!message_.empty()) dialog->setLabelText(QFileDialog::LookIn, QString::fromStdString(message_));
    if (!prompt_.empty()) dialog->setLabelText(QFileDialog::Accept, QString::fromStdString(prompt_));
    if (const auto start = startDirectory()) dialog->setDirectory(QString::fromStdString(*start));
    if (!name_.empty()) dialog->selectFile(QString::fromStdString(name_));
    if (!types_.empty()) {
        QStringList patterns;
        for (auto& type : types_)
            patterns << "*." + QString::fromStdString(type);
        QStringList filters{titledFilter(typesTitle_, patterns.join(' '))};
        if (allowsOthers_) filters << titledFilter(othersTitle_, "*");
        dialog->setNameFilters(filters);
        if (!allowsOthers_) dialog->setDefaultSuffix(QString::fromStdString(types_.front()));
    }
}

std::optional<std::string> SavePanel::startDirectory() const
{
    if (!directoryKey_.empty()) {
        const auto kept = core::UserDefaults::standard()->string(directoryKey_);
        if (kept && QFileInfo(QString::fromStdString(*kept)).isDir()) return kept;
    }
    if (directory_) return directory_->path();
    return std::nullopt;
}

void SavePanel::keepDirectory(const std::string& folder) const
{
    if (directoryKey_.empty() || folder.empty()) return;
    // A folder whose path the settings cannot keep (a control character in a name) is not remembered: the
    // next panel starts where it would have without it.
    static_cast<void>(core::UserDefaults::standard()->set(directoryKey_, core::Value(folder)));
}

void OpenPanel::configure()
{
    SavePanel::configure();
    PanelDialog* dialog = impl().dialog;
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setOption(QFileDialog::ReadOnly, !canCreateDirectories());
    if (chooseDirectories_ && !chooseFiles_) {
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog->setFileMode(multiple_ ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        dialog->acceptsFolders = chooseDirectories_;
    }
}

namespace {

std::vector<core::Url> urlsOf(QFileDialog& dialog)
{
    std::vector<core::Url> urls;
    for (const QString& path : dialog.selectedFiles())
        urls.push_back(core::Url::fileURL(path.toStdString()));
    return urls;
}

}  // namespace

ModalResponse SavePanel::runModal()
{
    core::assertMainThread();
    delete impl_->dialog.data();
    impl_->dialog = new PanelDialog;
    configure();
    urls_.clear();
    const bool ok = impl_->dialog->exec() == QDialog::Accepted;
    if (ok) {
        urls_ = urlsOf(*impl_->dialog);
        keepDirectory(impl_->dialog->directory().absolutePath().toStdString());
    }
    delete impl_->dialog.data();
    return ok ? ModalResponses::ok : ModalResponses::cancel;
}

void SavePanel::beginSheetModal(const std::shared_ptr<Window>& window, std::function<void(ModalResponse)> completion)
{
    core::assertMainThread();
    delete impl_->dialog.data();
    QWidget* parent = window ? widgetOf(*window) : nullptr;
    auto* dialog = new PanelDialog;
    dialog->setParent(parent, Qt::Dialog);
    impl_->dialog = dialog;
    configure();
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    urls_.clear();
    auto self = sharedAs<SavePanel>();  // the panel lives until its sheet has ended
    QObject::connect(dialog, &QDialog::finished, [self, dialog, completion](int result) {
        const bool ok = result == QDialog::Accepted;
        if (ok) {
            self->urls_ = urlsOf(*dialog);
            self->keepDirectory(dialog->directory().absolutePath().toStdString());
        }
        dialog->deleteLater();
        if (completion) completion(ok ? ModalResponses::ok : ModalResponses::cancel);
    });
    dialog->open();
}

void SavePanel::cancel()
{
    if (impl_->dialog) impl_->dialog->reject();
}

}  // namespace ui
