#include "learn/frm_lane_play.h"

#include "app/form_look.h"
#include "app/m_lane.h"
#include "app/vb4_func.h"
#include "platform/sound.h"
#include "platform/vb_timer.h"
#include "store/connection.h"
#include "store/store_error.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

namespace {

const QString kGoal = QStringLiteral("☆★☆　ゴール！　おめでとう！　☆★☆");
const QString kWrong = QStringLiteral("ざんねん！");
const QString kNotFound = QStringLiteral(" が見つかりません");

// A step whose photo or direction is asked for: the three-digit key of STEP_NO.
QString currentStepKey()
{
    return VB4_FUNC::StepKey(m_lane::STEP_NO.toLongLong());
}

} // namespace

frm_lane_play::frm_lane_play(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                             const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_screen(screen),
      m_programFolder(programFolder)
{
    createControls();
    Form_Load();
}

frm_lane_play::~frm_lane_play() = default;

void frm_lane_play::createControls()
{
    const double tpp = m_screen.TwipsPerPixel;
    Form = setUpForm(*this, QStringLiteral("frm_lane_play"), QStringLiteral("道順学習"), Qt::black,
                     m_screen, 10305, 9000);

    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("Picture2"));
    fillBackground(*m_frame, Qt::black);
    Picture2 = platform::TwipGeometry(m_frame, tpp, 2400, 3480, 6615, 2295);

    m_photo = new QLabel(m_frame);
    m_photo->setObjectName(QStringLiteral("Picture1"));
    fillBackground(*m_photo, Qt::black);
    m_photo->setScaledContents(false);
    Picture1 = platform::TwipGeometry(m_photo, tpp, 0, 0, 4335, 2895);

    const QString buttonStyle = QStringLiteral("QPushButton { background-color: #FFFFC0; }");
    auto makeButton = [&](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAccessibleName(caption);
        button->setStyleSheet(buttonStyle);
        button->setFocusPolicy(Qt::StrongFocus);
        button->hide();
        button->raise();
        return button;
    };
    const std::array<QString, 3> arrows{QStringLiteral("↑"), QStringLiteral("←"),
                                        QStringLiteral("→")};
    const float lefts[3] = {4560, 3480, 5640};
    const float tops[3] = {7680, 8040, 8040};
    // Large, bold arrows are easier for a small child to tell apart.
    QFont arrowFont = font();
    arrowFont.setBold(true);
    arrowFont.setPixelSize(std::max(12, int(495 / tpp * 0.6)));
    for (int i = 0; i < 3; ++i) {
        m_arrows[i] = makeButton(arrows[i], QStringLiteral("Command1_%1").arg(i));
        m_arrows[i]->setFont(arrowFont);
        Command1[i] = platform::TwipGeometry(m_arrows[i], tpp, lefts[i], tops[i], 855, 495);
        connect(m_arrows[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    m_back = makeButton(QStringLiteral("もどる"), QStringLiteral("Command2"));
    Command2 = platform::TwipGeometry(m_back, tpp, 4560, 8400, 855, 495);
    connect(m_back, &QPushButton::clicked, this, &frm_lane_play::Command2_Click);
    setTabOrder(m_arrows[0], m_arrows[1]);
    setTabOrder(m_arrows[1], m_arrows[2]);
    setTabOrder(m_arrows[2], m_back);

    Timer1 = new platform::VbTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &platform::VbTimer::Timer, this, &frm_lane_play::Timer1_Timer);

    MMControl1 = new platform::MMControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
}

void frm_lane_play::Form_Load()
{
    Form.setSize(m_screen.Width, m_screen.Height);
    Form.setLeft(0);
    Form.setTop(0);
    Picture2.setHeight(Form.Height());
    Picture2.setWidth(Form.Width());
    Picture2.setTop(Form.Height() / 2 - Picture2.Height() / 2);
    Picture2.setLeft(Form.Width() / 2 - Picture2.Width() / 2);
    m_lane::STEP_NO = 0;
    MMControl1->Notify = false;
    MMControl1->Wait = true;
    MMControl1->Shareable = false;
    armTimer();
}

QString frm_lane_play::readStepField(const QString& field)
{
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QString value;
    {
        store::Recordset rs =
            cn.Query(QStringLiteral("SELECT * FROM ") + m_lane::ROUTE_TABLE +
                     QStringLiteral(" WHERE 順序 = '") + currentStepKey() + QStringLiteral("' "));
        if (!rs.eof())
            value = rs.field(field);
        rs.close();
    }
    cn.Close();
    return value;
}

void frm_lane_play::Timer1_Timer()
{
    Timer1->setEnabled(false);
    const QVariant previous = m_lane::STEP_NO;
    m_lane::STEP_NO = m_lane::STEP_NO.toLongLong() + 1;
    QString photo;
    try {
        photo = readStepField(QStringLiteral("写真"));
    } catch (const store::StoreError& e) {
        // The step on screen stays current, so that answering it again tries once more.
        m_lane::STEP_NO = previous;
        m_dialogs.MsgBox(this, e.userMessage());
        return;
    }
    if (photo.isEmpty()) {
        m_dialogs.MsgBox(this, kGoal);
        return;
    }
    if (!showPhoto(photo)) {
        m_dialogs.MsgBox(this, photo + kNotFound);
        return;
    }
    layOutStep();
}

learn::PhotoRoom frm_lane_play::photoRoom() const
{
    return learn::PhotoRoom{m_screen.TwipsPerPixel, Form.Width(), Form.Height(), Command2.Height()};
}

bool frm_lane_play::showPhoto(const QString& path)
{
    std::optional<learn::PreparedPhoto> photo = m_prefetch.take(path);
    if (!photo)
        photo = learn::preparePhoto(path, photoRoom());
    if (!photo->image)
        return false;
    m_photo->setPixmap(QPixmap::fromImage(*photo->image));
    // Automatic sizing: the box takes the picture's size.
    Picture1.setSize(float(photo->image->width() * m_screen.TwipsPerPixel),
                     float(photo->image->height() * m_screen.TwipsPerPixel));
    return true;
}

void frm_lane_play::armTimer()
{
    Timer1->setEnabled(true);
    if (PrefetchPhotos)
        m_prefetch.start(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE,
                         VB4_FUNC::StepKey(m_lane::STEP_NO.toLongLong() + 1), photoRoom());
}

void frm_lane_play::layOutStep()
{
    const float W = Form.Width();
    Picture1.setTop(Picture2.Top() + Command2.Height());
    Picture1.setLeft(Picture2.Width() / 2 - Picture1.Width() / 2);
    Command2.setTop(Picture1.Top() + Picture1.Height() + 3 * Command2.Height());
    Command2.setLeft(W / 2 - Command2.Width() / 2);
    Command1[0].setTop(Command2.Top() - Command1[0].Height() - Command1[0].Height());
    Command1[0].setLeft(W / 2 - Command1[0].Width() / 2);
    Command1[1].setTop(Command2.Top() - Command1[0].Height());
    Command1[1].setLeft(Command1[0].Left() - Command1[1].Width() - Command1[1].Width());
    Command1[2].setTop(Command2.Top() - Command1[0].Height());
    Command1[2].setLeft(Command1[0].Left() + Command1[0].Width() + Command1[2].Width());
    for (QPushButton* button : m_arrows)
        button->setVisible(true);
    m_back->setVisible(true);
}

void frm_lane_play::play(const QString& soundFile)
{
    MMControl1->FileName = m_programFolder + soundFile;
    MMControl1->Command(QStringLiteral("Open"));
    MMControl1->Command(QStringLiteral("Play"));
}

void frm_lane_play::Command1_Click(int Index)
{
    if (Index < 0 || Index >= int(m_arrows.size()))
        return;
    QString expected;
    try {
        expected = readStepField(QStringLiteral("方向"));
    } catch (const store::StoreError& e) {
        m_dialogs.MsgBox(this, e.userMessage());
        return;
    }
    MMControl1->Command(QStringLiteral("Close"));
    if (m_arrows[Index]->text() == expected) {
        play(QStringLiteral("/OK.mp3"));
        armTimer();
    } else {
        play(QStringLiteral("/NG.mp3"));
        m_dialogs.MsgBox(this, kWrong);
    }
}

void frm_lane_play::Command2_Click()
{
    m_lane::STEP_NO = m_lane::STEP_NO.toLongLong() - 2;
    if (m_lane::STEP_NO.toLongLong() < 0)
        m_lane::STEP_NO = 0;
    armTimer();
}
