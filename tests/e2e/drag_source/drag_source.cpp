// A stand-in for a file manager's window under X, for the end-to-end tests: a window titled "Drag Source" at
// the bottom left of the screen; a press and a move on it start a drag (through the window system's own
// drag and drop protocol) of the files and folders named on its command line, as text/uri-list, offered for
// copying as a file manager offers them. It prints how the drag ended.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { pressed_ = event->position().toPoint(); }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton)) return;
        if ((event->position().toPoint() - pressed_).manhattanLength() < QApplication::startDragDistance()) return;
        auto* data = new QMimeData;
        data->setUrls(urls_);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::printf("%s\n", action == Qt::CopyAction ? "copied" : "refused");
        std::fflush(stdout);
    }

private:
    QList<QUrl> urls_;
    QPoint pressed_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls << QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    if (urls.isEmpty()) return 2;
    DragSource window(urls);
    window.setWindowTitle("Drag Source");
    window.setGeometry(0, 900, 400, 120);
    window.show();
    return app.exec();
}
