// Filling the edit bar: from a row the user selects in the list, or from a photo chosen in the
// open-file dialog; either way the photo is shown centred in the photo area.
#include "app/messages.h"
#include "edit/frm_lane_make.h"
#include "edit/photo_fit.h"
#include "edit/photo_previews.h"
#include "edit/step_grid.h"
#include "platform/picture.h"
#include "store/adodc.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <cmath>

void frm_lane_make::DataGrid1_SelChange(int& Cancel)
{
    Q_UNUSED(Cancel) // the selection is never refused
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    const int row = m_grid->currentRecord();
    if (row < 0)
        return;
    loadRow(row, true);
}

void frm_lane_make::loadRow(int row, bool chosenByUser)
{
    const QString order = Adodc1->text(row, 0).trimmed();
    if (chosenByUser)
        m_text2->setText(order);
    m_text1->setText(Adodc1->text(row, 1).trimmed());
    selectDirection(Adodc1->text(row, 2).trimmed());
    const QString photo = m_text1->text().trimmed();
    m_chosen = edit::ChosenStep{-1, order, photo, QString()};
    // A photo that can't be shown is reported when the parent chose the row, not when a
    // deletion moved the list onto it.
    const bool shown = showPhoto(photo);
    prefetchNear(row);
    if (!shown && chosenByUser)
        m_dialogs.MsgBox(this, app::messages::notFound(photo));
}

void frm_lane_make::showCurrentStep()
{
    const int row = m_grid->currentRecord();
    if (row >= 0) {
        loadRow(row, false);
        return;
    }
    m_chosen.reset();
    m_text1->clear();
    m_picture1->clear();
}

std::optional<QString> frm_lane_make::chosenPhoto(const QString& order) const
{
    if (!m_chosen || order.trimmed().isEmpty() || order.trimmed() != m_chosen->order)
        return std::nullopt;
    return m_chosen->photo;
}

void frm_lane_make::selectDirection(const QString& arrow)
{
    // Anything but the three arrows leaves the buttons as they were.
    if (arrow == QStringLiteral("↑"))
        m_option1[0]->setChecked(true);
    if (arrow == QStringLiteral("→"))
        m_option1[1]->setChecked(true);
    if (arrow == QStringLiteral("←"))
        m_option1[2]->setChecked(true);
}

void frm_lane_make::Command3_Click()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    const QString file = choosePhotoFile();
    if (file.isEmpty())
        return;
    // The path stays in the edit bar even when the photo can't be shown: the step can still be
    // registered with it.
    m_text1->setText(file);
    if (!showPhoto(file))
        m_dialogs.MsgBox(this, app::messages::notFound(file));
}

QString frm_lane_make::choosePhotoFile()
{
    CommonDialog1.InitDir = QString();
    CommonDialog1.Filter = QStringLiteral("*.*");
    CommonDialog1.FileName = QStringLiteral("*.*");
    CommonDialog1.DefaultExt = QStringLiteral("*");
    CommonDialog1.ShowOpen();
    return CommonDialog1.FileName.trimmed();
}

QSize frm_lane_make::shownArea() const
{
    // The whole pixels of the photo area: a photo shrunk to them never reaches past its edges.
    const double tpp = m_screen.TwipsPerPixel;
    return QSize(int(std::floor(Picture2.Width() / tpp)), int(std::floor(Picture2.Height() / tpp)));
}

void frm_lane_make::prefetchNear(int row)
{
    QStringList near;
    for (int r : {row + 1, row - 1})
        if (r >= 0 && r < Adodc1->rowCount())
            near << Adodc1->text(r, 1).trimmed();
    m_previews->prefetch(near, shownArea());
}

bool frm_lane_make::showPhoto(const QString& path)
{
    // Decoded away from this thread and kept; a slow photo shows its thumbnail first, and
    // showPhoto runs again when the whole picture is ready.
    const std::optional<QImage> picture = m_previews->picture(path, shownArea()).picture;
    const QPixmap pixmap = picture ? QPixmap::fromImage(*picture) : QPixmap();
    const bool shown = picture && (picture->isNull() || !pixmap.isNull());
    if (!shown) {
        // The box keeps its size and place; the photo of another step must not stay beside
        // this step's path.
        m_picture1->clear();
        return false;
    }
    m_picture1->setPixmap(pixmap);
    // Automatic sizing: the box takes the size the picture is shown at (its natural size, or
    // the size that shows a larger photo whole); an empty picture leaves it.
    if (!picture->isNull())
        Picture1.setSize(float(picture->width() * m_screen.TwipsPerPixel),
                         float(picture->height() * m_screen.TwipsPerPixel));
    Picture1.setTop(Picture2.Height() / 2 - Picture1.Height() / 2);
    Picture1.setLeft(Picture2.Width() / 2 - Picture1.Width() / 2);
    return true;
}
