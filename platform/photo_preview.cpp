#include "platform/photo_preview.h"

#include "platform/messages.h"
#include "platform/picture.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHeaderView>
#include <QTreeView>
#include <QtConcurrent/QtConcurrentRun>

namespace platform {
namespace {

constexpr int kSide = 240; // pixels of the pane's square

// `natural` shrunk to fit the pane, keeping its proportions; a smaller photo keeps its size.
QSize fitted(QSize natural)
{
    if (natural.width() <= kSide && natural.height() <= kSide)
        return natural;
    return natural.scaled(kSide, kSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

std::optional<QImage> previewOf(const QString& path)
{
    const std::optional<QSize> natural = PictureSize(path);
    if (!natural)
        return std::nullopt;
    return LoadPicture(path, fitted(*natural));
}

} // namespace

PhotoPreview::PhotoPreview(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("photoPreview"));
    setAccessibleName(QStringLiteral("写真の見本"));
    setAlignment(Qt::AlignCenter);
    setFixedSize(kSide + 8, kSide + 8);
    setFrameShape(QFrame::StyledPanel);
    setWordWrap(true);
    setText(messages::kPreviewEmpty);
}

PhotoPreview::~PhotoPreview() = default;

void PhotoPreview::showPhoto(const QString& path)
{
    m_path = path;
    const int generation = ++m_generation;
    clear();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        emit shown();
        return;
    }
    setText(messages::kPreviewLoading);
    auto* watcher = new QFutureWatcher<std::optional<QImage>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation != m_generation)
            return; // the cursor has moved on
        const std::optional<QImage> image = watcher->result();
        if (image && !image->isNull())
            setPixmap(QPixmap::fromImage(*image));
        else
            setText(messages::kPreviewUnreadable);
        emit shown();
    });
    watcher->setFuture(QtConcurrent::run(previewOf, path));
}

PhotoPreview* addPhotoPreview(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* preview = new PhotoPreview(&dialog);
    // Qt's own dialog lays itself out on a grid whose second row holds the list.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), Qt::AlignTop);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PhotoPreview::showPhoto);
    return preview;
}

void showDetails(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!view || !model)
        return;
    // Columns: name, size, type, date modified. The name gets room for a phone photo's name;
    // the others fit what the folder's files show once they are listed (a Japanese date is
    // wider than the dialog's own guess).
    const QFontMetrics metrics(view->font());
    view->header()->resizeSection(0,
                                  metrics.horizontalAdvance(QStringLiteral("IMG_0000.HEIC")) * 2);
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
        for (int column = 1; column < 4; ++column)
            view->resizeColumnToContents(column);
    });
    dialog.resize(dialog.sizeHint().expandedTo(QSize(900, 480)));
}

} // namespace platform
