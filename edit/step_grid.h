#pragma once

#include "edit/photo_check.h"

#include <QHash>
#include <QTableView>
#include <array>

namespace edit {

// The step list: one whole row per step, scrolled by whole rows, with a record selector at its
// left edge. The program positions it (ReBind, Scroll, setRow) without raising SelChange; the
// user's choice of a row (a click on a row or on its selector, a key that moves to another row)
// raises it.
class StepGrid : public QTableView
{
    Q_OBJECT
public:
    explicit StepGrid(double twipsPerPixel, QWidget* parent = nullptr);

    // Takes the model's rows afresh: the first row at the top, no current row. The photo paths
    // are checked anew; a step whose photo can't be shown gets its path in red, with a tooltip
    // that says why and what to do.
    void ReBind();
    // What is known to be wrong with the photo of model row `row`.
    PhotoProblem photoProblem(int row) const;
    // Marks the steps that have a voice: `voices` maps a photo path to its voice file's full
    // path. A voice whose file is missing or can't be read is marked like a missing photo.
    void showVoices(const QHash<QString, QString>& voices);
    enum class Voice { None, Present, Broken };
    Voice voice(int row) const;
    // The number of rows shown whole from the top row on: 0 for an empty list, never more than
    // the rows left below the top row.
    int VisibleRows();
    // Scrolls towards the end by `rows` rows; it stops when the last row reaches the bottom.
    void Scroll(int rows);
    // Makes displayed row `row` (0 = the top displayed row) current; false, changing nothing,
    // when no such row is displayed.
    bool setRow(int row);

    // The model row shown at the top, and the model row that is current (-1 when none).
    int topRow() const;
    int currentRecord() const;

    // A column's width in twips, kept as given; the column is drawn at the nearest pixel.
    void setColumnTwips(int column, float twips);
    float columnTwips(int column) const;

    // Every row's height in pixels.
    int fixedRowHeight() const;

signals:
    void SelChange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Lays the viewport and the scroll range out for the list's present size, also while the
    // window is hidden (Qt would wait for the next resize event).
    void syncLayout();

    double m_tpp;
    PhotoCheck* m_photoCheck = nullptr;
    bool m_pressedOnRow = false;
    std::array<float, 3> m_columnTwips{};
    QHash<QString, Voice> m_voices;
};

} // namespace edit
