#pragma once

#include "edit/chosen_step.h"
#include "edit/command_guard.h"
#include "platform/common_dialog.h"
#include "platform/dialogs.h"
#include "platform/screen_cover.h"
#include "platform/twips.h"

#include <QImage>
#include <QMainWindow>
#include <array>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace edit {
class PhotoPreviews;
}

namespace store {
class Adodc;
class Route;
} // namespace store

namespace platform {
class Failure;
} // namespace platform

namespace edit {
class StepGrid;
class VoiceMenu;
} // namespace edit

// The window in which a parent or teacher builds the route: an edit bar for one step, the
// step's photo, and the list of every step in order. Its menu bar lies above the client area,
// which holds the three bands; the "写真" menu holds the commands on the chosen step's photo.
class frm_lane_make : public QMainWindow
{
    Q_OBJECT
public:
    frm_lane_make(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                  QWidget* parent = nullptr);
    ~frm_lane_make() override;

    // The window's handlers, public so that they can be driven directly.
    void Form_Load();
    void LANE_DSP(const QString& order);
    void DataGrid1_SelChange(int& Cancel);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // "写真を差し替える…": gives the chosen step another photo, keeping its number and direction.
    void ReplacePhoto();
    // The route was changed elsewhere (an import, mended photo paths): the list is read again
    // and the edit bar shows the step of its number as it now is.
    void RouteChanged();

    // The window's client area in twips: the outer size less the window system's frame and
    // the menu bar.
    float ScaleWidth() const { return Form.ScaleWidth(); }
    float ScaleHeight() const;

    // How long a change waits, in seconds, for another program that holds the route file.
    int ConnectionTimeout = 10;

    // Positions and sizes in twips, as the handlers compute them.
    platform::TwipGeometry Form;
    platform::TwipGeometry Frame2;
    std::array<platform::TwipGeometry, 3> Label1;
    platform::TwipGeometry Text2;
    platform::TwipGeometry Text1;
    platform::TwipGeometry Command3;
    std::array<platform::TwipGeometry, 3> Option1;
    platform::TwipGeometry Command1;
    platform::TwipGeometry Command2;
    platform::TwipGeometry Picture2;
    platform::TwipGeometry Picture1;
    platform::TwipGeometry DataGrid1;

    store::Adodc* Adodc1 = nullptr;
    platform::CommonDialog CommonDialog1;

    QLineEdit* text1() const { return m_text1; }
    QLineEdit* text2() const { return m_text2; }
    QRadioButton* option1(int index) const { return m_option1.at(index); }
    QPushButton* command1() const { return m_command1; }
    QPushButton* command2() const { return m_command2; }
    QPushButton* command3() const { return m_command3; }
    QLabel* photo() const { return m_picture1; }
    QWidget* photoArea() const { return m_picture2; }
    edit::StepGrid* grid() const { return m_grid; }
    // The client area below the menu bar, which holds the three bands.
    QWidget* clientArea() const { return m_client; }
    // The "写真" menu; a later menu goes in after it.
    QMenu* photoMenu() const { return m_photoMenu; }
    QAction* replacePhotoAction() const { return m_replacePhoto; }
    // The "声" menu's commands.
    edit::VoiceMenu* voiceMenu() const { return m_voiceMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Outcome { Changed, Cancelled, Full, Stale, Taken };

    void createControls();
    void createMenus();
    void createEditBar(double tpp);
    // Asks for a photo file; empty after Cancel.
    QString choosePhotoFile();
    Outcome replaceStepPhoto(const edit::ChosenStep& step, const QString& photo, QString* takenBy);
    void layOutBands();
    void setColumnWidths();
    Outcome registerStep(const QString& photo);
    // The step a registration replaces (its row and number): the row holding `photo`.
    std::optional<store::Step> findStep(store::Route& route, const QString& photo);
    bool stillHolds(store::Route& route, const std::optional<store::Step>& found,
                    const QString& photo);
    // The photo of the chosen step when `order` is its number; none when the number was typed.
    std::optional<QString> chosenPhoto(const QString& order) const;
    void chooseTemporaryOrder(store::Route& route);
    QString direction() const;
    Outcome deleteStep();
    // Fills the edit bar from list row `row`; the number too when the parent chose the row.
    void loadRow(int row, bool chosenByUser);
    // Fills the edit bar from the list's current row, or empties it when no row is current.
    void showCurrentStep();
    void selectDirection(const QString& arrow);
    // The photo area's whole pixels, the size a photo is shown at most.
    QSize shownArea() const;
    // Starts decoding the photos of the rows around `row`, so that moving there is immediate.
    void prefetchNear(int row);
    bool showPhoto(const QString& path);
    void showList(const QString& order);
    void showError(const platform::Failure& error);

    platform::Dialogs& m_dialogs;
    platform::ScreenTwips m_screen;
    edit::CommandGuard m_guard{*this};

    QWidget* m_client = nullptr;
    QMenu* m_photoMenu = nullptr;
    QAction* m_replacePhoto = nullptr;
    edit::VoiceMenu* m_voiceMenu = nullptr;
    QFrame* m_frame2 = nullptr;
    std::array<QLabel*, 3> m_label1{};
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command3 = nullptr;
    std::array<QRadioButton*, 3> m_option1{};
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QWidget* m_picture2 = nullptr;
    QLabel* m_picture1 = nullptr;
    edit::PhotoPreviews* m_previews = nullptr;
    edit::StepGrid* m_grid = nullptr;

    std::optional<edit::ChosenStep> m_chosen;
    platform::ScreenCover m_cover;
};
