#pragma once

#include <QLabel>

class QFileDialog;

namespace platform {

// Beside a file dialog's list: the photo under the cursor, upright and fitted, so that photos
// with like names (IMG_0001.HEIC, IMG_0002.HEIC, ...) are told apart by sight. A photo is decoded
// in the background; only the last one asked for is shown.
class PhotoPreview : public QLabel
{
    Q_OBJECT
public:
    explicit PhotoPreview(QWidget* parent = nullptr);
    ~PhotoPreview() override;

    // Shows the photo `path` (nothing for a folder or a file that is no photo).
    void showPhoto(const QString& path);
    // The path whose photo is on show or on its way.
    const QString& path() const { return m_path; }

signals:
    // The photo asked for last is on show (or found to be none).
    void shown();

private:
    QString m_path;
    int m_generation = 0;
};

// Gives `dialog` (a dialog of Qt's own) a preview pane at the right of its list.
PhotoPreview* addPhotoPreview(QFileDialog& dialog);

// Shows `dialog`'s files with their details, the columns wide enough for Japanese dates.
void showDetails(QFileDialog& dialog);

} // namespace platform
