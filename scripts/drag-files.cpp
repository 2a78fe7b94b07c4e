// A small window that, pressed, drags the files named on its command line, as a file manager does
// (a text/uri-list over the X drag-and-drop protocol), and ends when they are dropped. The Windows
// screenshot script drops a mod with it onto Vrel2.exe under Wine.
// Usage: drag-files FILE...
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace {

class DragSource final : public QLabel {
public:
    explicit DragSource(QList<QUrl> files) : QLabel("Drag me"), files_(std::move(files)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(files_);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        QApplication::exit(action == Qt::IgnoreAction ? 1 : 0);
    }

private:
    QList<QUrl> files_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (int i = 1; i < argc; ++i) {
        files.push_back(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));
    }
    DragSource source(files);
    source.setWindowTitle("drag-files");
    source.resize(120, 60);
    source.show();
    return app.exec();
}
