// A stand-in for a file manager's folder window under X, for the end-to-end tests: a window titled
// "Drop Target" at the bottom left of the screen that takes drops of files (text/uri-list) as a copy, as a
// file manager does, copies each dropped file into the folder named on its command line and prints its name.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

#include <cstdio>

namespace {

class DropTarget : public QWidget {
public:
    explicit DropTarget(QString folder) : folder_(std::move(folder)) { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (!event->mimeData()->hasUrls()) return event->ignore();
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }

    void dragMoveEvent(QDragMoveEvent* event) override
    {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }

    void dropEvent(QDropEvent* event) override
    {
        for (const QUrl& url : event->mimeData()->urls()) {
            const QFileInfo file(url.toLocalFile());
            if (QFile::copy(file.filePath(), folder_ + "/" + file.fileName()))
                std::printf("copied %s\n", qPrintable(file.fileName()));
            else
                std::printf("missing %s\n", qPrintable(file.fileName()));
        }
        std::fflush(stdout);
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }

private:
    QString folder_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    DropTarget window(QString::fromLocal8Bit(argv[1]));
    window.setWindowTitle("Drop Target");
    window.setGeometry(0, 900, 400, 120);
    window.show();
    return app.exec();
}
