#include "edit/frm_lane_make.h"

#include "app/form_look.h"
#include "app/m_lane.h"
#include "edit/messages.h"
#include "edit/photo_previews.h"
#include "edit/step_grid.h"
#include "edit/voice_menu.h"
#include "platform/failure.h"
#include "store/adodc.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kLightGreen(0xC0, 0xFF, 0xC0);

// The list could not be read: unlike a failed change, this says nothing about the route itself,
// which a registration or deletion may have changed just before.
QString listMessage(const platform::Failure& e)
{
    return e.headed(edit::messages::kListUnreadable).text();
}

} // namespace

frm_lane_make::frm_lane_make(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window), CommonDialog1(dialogs, this), m_dialogs(dialogs),
      m_screen(screen),
      // Once the window system has framed the window, the bands follow the client area the
      // window then has.
      m_cover(*this, Form, [this] {
          layOutBands();
          setColumnWidths();
      })
{
    createControls();
    Form_Load();
}

frm_lane_make::~frm_lane_make() = default;

void frm_lane_make::createControls()
{
    const double tpp = m_screen.TwipsPerPixel;
    Form = setUpForm(*this, QStringLiteral("frm_lane_make"), QStringLiteral("道順作成"),
                     kLightGreen, m_screen, 11745, 9825);

    // The form's client area is the central widget: the menu bar sits above it, in the frame.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    fillBackground(*m_client, kLightGreen);
    setCentralWidget(m_client);
    createMenus();

    m_picture2 = new QWidget(m_client);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setAutoFillBackground(true);
    Picture2 = platform::TwipGeometry(m_picture2, tpp, 720, 2400, 6975, 2175);
    m_picture1 = new QLabel(m_picture2);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setAutoFillBackground(true);
    m_picture1->setScaledContents(false);
    Picture1 = platform::TwipGeometry(m_picture1, tpp, 0, 0, 3855, 1695);
    m_previews = new edit::PhotoPreviews(this);
    // A photo shown from its thumbnail is shown whole once decoded, if it is still the one in
    // the edit bar.
    connect(m_previews, &edit::PhotoPreviews::ready, this, [this](const QString& path) {
        if (m_text1->text().trimmed() == path)
            showPhoto(path);
    });

    createEditBar(tpp);

    Adodc1 = new store::Adodc(this);
    Adodc1->setObjectName(QStringLiteral("Adodc1"));
    m_grid = new edit::StepGrid(tpp, m_client);
    m_grid->setObjectName(QStringLiteral("DataGrid1"));
    m_grid->setModel(Adodc1);
    DataGrid1 = platform::TwipGeometry(m_grid, tpp, 120, 5280, 11175, 4455);
    connect(m_grid, &edit::StepGrid::SelChange, this, [this] {
        int cancel = 0;
        DataGrid1_SelChange(cancel);
    });

    setTabOrder(m_grid, m_text2);
    setTabOrder(m_text2, m_command3);
    setTabOrder(m_command3, m_text1);
    setTabOrder(m_text1, m_option1[2]);
    setTabOrder(m_option1[2], m_option1[1]);
    setTabOrder(m_option1[1], m_option1[0]);
    setTabOrder(m_option1[0], m_command2);
    setTabOrder(m_command2, m_command1);
}

void frm_lane_make::createMenus()
{
    m_photoMenu = menuBar()->addMenu(QStringLiteral("写真"));
    m_photoMenu->setObjectName(QStringLiteral("photoMenu"));
    m_replacePhoto = m_photoMenu->addAction(QStringLiteral("写真を差し替える…"));
    m_replacePhoto->setObjectName(QStringLiteral("replacePhotoAction"));
    m_replacePhoto->setStatusTip(
        QStringLiteral("一覧で選んだ順序の写真を、番号と方向はそのままで別の写真にします"));
    connect(m_replacePhoto, &QAction::triggered, this, &frm_lane_make::ReplacePhoto);

    QMenu* voices = menuBar()->addMenu(QStringLiteral("声"));
    voices->setObjectName(QStringLiteral("voiceMenu"));
    // The voice commands are for the step in the edit bar.
    m_voiceMenu = new edit::VoiceMenu(*voices, m_dialogs, *this,
                                      [this] { return m_text1->text().trimmed(); });
    connect(m_voiceMenu, &edit::VoiceMenu::voicesChanged, this,
            [this] { showList(m_text2->text()); });
}

float frm_lane_make::ScaleHeight() const
{
    // The menu bar takes the top of what the frame leaves, as a title bar does.
    const int bar = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    return Form.ScaleHeight() - float(bar * m_screen.TwipsPerPixel);
}

void frm_lane_make::createEditBar(double tpp)
{
    m_frame2 = new QFrame(m_client);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setAutoFillBackground(true);
    Frame2 = platform::TwipGeometry(m_frame2, tpp, 120, 360, 11415, 495);

    const std::array<QString, 3> labels{QStringLiteral("順序"), QStringLiteral("写真"),
                                        QStringLiteral("方向")};
    const float labelLefts[3] = {120, 1560, 6720};
    for (int i = 0; i < 3; ++i) {
        m_label1[i] = new QLabel(labels[i], m_frame2);
        m_label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i] = platform::TwipGeometry(m_label1[i], tpp, labelLefts[i], 120, 495, 255);
    }
    m_text2 = new QLineEdit(m_frame2);
    m_text2->setObjectName(QStringLiteral("Text2"));
    Text2 = platform::TwipGeometry(m_text2, tpp, 720, 0, 735, 375);
    m_text1 = new QLineEdit(m_frame2);
    m_text1->setObjectName(QStringLiteral("Text1"));
    Text1 = platform::TwipGeometry(m_text1, tpp, 2040, 0, 3855, 375);

    auto makeButton = [&](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, m_frame2);
        button->setObjectName(name);
        button->setAccessibleName(caption);
        return button;
    };
    m_command3 = makeButton(QStringLiteral("選択"), QStringLiteral("Command3"));
    Command3 = platform::TwipGeometry(m_command3, tpp, 5880, 0, 735, 375);

    const std::array<QString, 3> arrows{QStringLiteral("↑"), QStringLiteral("→"),
                                        QStringLiteral("←")};
    const float optionLefts[3] = {7320, 8040, 8760};
    for (int i = 0; i < 3; ++i) {
        m_option1[i] = new QRadioButton(arrows[i], m_frame2);
        m_option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_option1[i]->setAccessibleName(arrows[i]);
        Option1[i] = platform::TwipGeometry(m_option1[i], tpp, optionLefts[i], 120, 615, 255);
    }
    m_option1[0]->setChecked(true);

    m_command1 = makeButton(QStringLiteral("登録"), QStringLiteral("Command1"));
    Command1 = platform::TwipGeometry(m_command1, tpp, 9480, 0, 855, 375);
    m_command2 = makeButton(QStringLiteral("削除"), QStringLiteral("Command2"));
    Command2 = platform::TwipGeometry(m_command2, tpp, 10440, 0, 855, 375);

    connect(m_command3, &QPushButton::clicked, this, &frm_lane_make::Command3_Click);
    connect(m_command1, &QPushButton::clicked, this, &frm_lane_make::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frm_lane_make::Command2_Click);
    // A number typed by hand is taken as typed, whatever step was chosen before.
    connect(m_text2, &QLineEdit::textEdited, this, [this] { m_chosen.reset(); });
}

void frm_lane_make::Form_Load()
{
    // The outer frame, title bar included, covers the screen but its panels.
    m_cover.cover(m_screen);
    // The client area takes its place below the menu bar now, not only when first shown.
    layout()->activate();
    layOutBands();
    showList(QString());
    m_grid->setFocus();
}

void frm_lane_make::layOutBands()
{
    // The bands share the client area the window really has.
    const float width = ScaleWidth();
    const float height = ScaleHeight();
    const float margin = m_lane::FORM_MARGIN.toFloat();
    Frame2.setTop(0);
    Frame2.setLeft(width / 2 - Frame2.Width() / 2);
    Picture2.setTop(Frame2.Height() + Frame2.Top());
    Picture2.setLeft(0);
    Picture2.setWidth(width);
    Picture2.setHeight((height - Frame2.Height()) / 2);
    DataGrid1.setTop(Picture2.Height() + Picture2.Top());
    DataGrid1.setLeft(0);
    DataGrid1.setWidth(width - margin);
    DataGrid1.setHeight(height / 2 - Frame2.Height() - margin);
    Picture1.setTop(Picture2.Height() / 2 - Picture1.Height() / 2);
    Picture1.setLeft(Picture2.Width() / 2 - Picture1.Width() / 2);
}

void frm_lane_make::showList(const QString& order)
{
    try {
        LANE_DSP(order);
    } catch (const platform::Failure& e) {
        m_dialogs.MsgBox(this, listMessage(e));
    }
}

void frm_lane_make::showError(const platform::Failure& error)
{
    m_dialogs.MsgBox(this, error.text());
}

void frm_lane_make::closeEvent(QCloseEvent* event)
{
    // A close asked for while a command runs is carried out when the command has ended.
    if (m_guard.deferClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
