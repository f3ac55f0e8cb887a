#include "learn/frm_lane_play.h"

#include "app/form_look.h"
#include "app/m_lane.h"
#include "app/messages.h"
#include "learn/answer_access.h"
#include "learn/big_buttons.h"
#include "learn/messages.h"
#include "learn/practice_lock.h"
#include "learn/voice_prompt.h"
#include "platform/failure.h"
#include "platform/sound.h"
#include "platform/vb_timer.h"
#include "store/route.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <algorithm>

namespace {

// A step whose photo or direction is asked for: the three-digit key of STEP_NO.
QString currentStepKey()
{
    return store::StepKey(m_lane::STEP_NO.toLongLong());
}

} // namespace

frm_lane_play::frm_lane_play(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                             const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_screen(screen),
      m_programFolder(programFolder), m_events(new learn::PracticeEvents(this)),
      // Once the window system has framed the window, the layout follows the client area the
      // window then has.
      m_cover(*this, Form, [this] {
          coverClientArea();
          if (m_back && !m_back->isHidden())
              layOutStep();
      })
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
    for (QPushButton* button : {m_arrows[0], m_arrows[1], m_arrows[2], m_back})
        button->installEventFilter(this);
    setTabOrder(m_arrows[0], m_arrows[1]);
    setTabOrder(m_arrows[1], m_arrows[2]);
    setTabOrder(m_arrows[2], m_back);

    Timer1 = new platform::VbTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &platform::VbTimer::Timer, this, &frm_lane_play::Timer1_Timer);

    // An answer given while the route could not be read is judged as soon as it can.
    m_answerRetry = new QTimer(this);
    m_answerRetry->setSingleShot(true);
    connect(m_answerRetry, &QTimer::timeout, this, [this] {
        if (m_pendingAnswer >= 0)
            Command1_Click(m_pendingAnswer);
    });

    m_afterGoal = new learn::AfterGoal(*this, m_arrows);
    Again = platform::TwipGeometry(m_afterGoal->button(), tpp, 5640, 8400, 2 * 855, 495);
    connect(m_afterGoal, &learn::AfterGoal::again, this, &frm_lane_play::Again_Click);
    m_afterGoal->button()->installEventFilter(this);

    MMControl1 = new platform::MMControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    m_voice = new learn::VoicePrompt(*MMControl1, this);

    // Switches and big buttons; with the default settings it leaves everything as it is.
    m_access = new learn::AnswerAccess(
        *this, {m_arrows[0], m_arrows[1], m_arrows[2], m_back},
        [this] { return Timer1->Enabled(); }, m_programFolder + QStringLiteral("/TICK.wav"),
        *m_events);
}

void frm_lane_play::setPracticeSettings(const app::PracticeSettings& settings)
{
    m_settings = settings;
    // The lock keeps the child in the window until an adult lets them out.
    auto* lock = findChild<learn::PracticeLock*>();
    if (settings.lock && !lock)
        new learn::PracticeLock(this, m_dialogs);
    else if (!settings.lock)
        delete lock;
    m_voice->setMode(settings.voice);
    m_access->setSettings(settings);
    if (!m_back->isHidden())
        layOutStep();
    m_access->settle();
}

void frm_lane_play::Form_Load()
{
    // The outer frame, title bar included, covers the screen but its panels.
    m_cover.cover(m_screen);
    coverClientArea();
    m_lane::STEP_NO = 0;
    forgetRun();
    emit m_events->started();
    MMControl1->Notify = false;
    MMControl1->Wait = true;
    MMControl1->Shareable = false;
    armTimer();
}

void frm_lane_play::coverClientArea()
{
    Picture2.setHeight(Form.ScaleHeight());
    Picture2.setWidth(Form.ScaleWidth());
    Picture2.setTop(Form.ScaleHeight() / 2 - Picture2.Height() / 2);
    Picture2.setLeft(Form.ScaleWidth() / 2 - Picture2.Width() / 2);
}

bool frm_lane_play::pressForKey(const QKeyEvent& key)
{
    QPushButton* button = nullptr;
    switch (key.key()) {
    case Qt::Key_Up:
        button = m_arrows[0];
        break;
    case Qt::Key_Left:
        button = m_arrows[1];
        break;
    case Qt::Key_Right:
        button = m_arrows[2];
        break;
    case Qt::Key_Backspace:
        button = m_back;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_afterGoal->reached())
            return false;
        button = m_afterGoal->button();
        break;
    case Qt::Key_Down:
        return true; // no button of its own, and the focus stays where it is
    default:
        // A letter or digit that answers nothing says the step's voice again.
        if (!key.isAutoRepeat() && !key.text().isEmpty() && key.text().at(0).isLetterOrNumber())
            m_voice->replay();
        return false;
    }
    // A key held down answers once; a button not yet shown can't be pressed.
    if (!key.isAutoRepeat() && !button->isHidden()) {
        m_events->setInput(learn::Input::Key);
        button->click();
        m_events->setInput(learn::Input::Mouse);
    }
    return true;
}

bool frm_lane_play::eventFilter(QObject* watched, QEvent* event)
{
    // Taken before the focused button sees it: a button would move the focus on an arrow key.
    if (event->type() == QEvent::KeyPress && pressForKey(*static_cast<QKeyEvent*>(event)))
        return true;
    // A finger on a touch screen reaches the button as a mouse press made from the touch.
    if (event->type() == QEvent::MouseButtonRelease)
        m_events->setInput(static_cast<QMouseEvent*>(event)->source() ==
                                   Qt::MouseEventNotSynthesized
                               ? learn::Input::Mouse
                               : learn::Input::Touch);
    return QWidget::eventFilter(watched, event);
}

void frm_lane_play::keyPressEvent(QKeyEvent* event)
{
    if (!pressForKey(*event))
        QWidget::keyPressEvent(event);
}

store::Step frm_lane_play::readStep()
{
    // A route file gone missing is an outage to wait out, never a route to make anew.
    store::Route route(m_lane::DB_PATH, RouteWaitSeconds, store::IfMissing::Fail);
    return route.stepNumbered(currentStepKey()).value_or(store::Step());
}

void frm_lane_play::forgetRun()
{
    m_voice->stop();
    m_stepPhoto.clear();
    m_tickOutage.clear();
    m_answerOutage.clear();
    m_answerRetry->stop();
    m_pendingAnswer = -1;
    m_afterGoal->leave();
}

void frm_lane_play::routeUnavailable(learn::RouteOutage& outage, const platform::Failure& error)
{
    if (outage.failed(error.kind() == platform::Failure::Kind::Locked, ReportUnavailableAfterMs))
        platform::tell(m_dialogs, this, error.headed(learn::messages::kRouteUnreadable));
}

void frm_lane_play::Timer1_Timer()
{
    // Whatever the tick shows, the switches answer it afterwards (or wait for the next tick).
    const auto settle = qScopeGuard([this] { m_access->settle(); });
    Timer1->setEnabled(false);
    const QVariant previous = m_lane::STEP_NO;
    m_lane::STEP_NO = m_lane::STEP_NO.toLongLong() + 1;
    store::Step step;
    try {
        step = readStep();
    } catch (const platform::Failure& e) {
        // The screen stays as it is and the same step is tried again on the next tick, also
        // after the adult has been told, so that the run goes on once the route is free.
        m_lane::STEP_NO = previous;
        Timer1->setEnabled(true);
        emit m_events->routeOutage(e.cause());
        routeUnavailable(m_tickOutage, e);
        return;
    }
    m_tickOutage.clear();
    m_stepPhoto = step.photo;
    const QString& photo = step.photo;
    const int stepNo = int(m_lane::STEP_NO.toLongLong());
    if (photo.isEmpty()) {
        m_voice->goalShown(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        emit m_events->goal(stepNo);
        reachGoal();
        m_dialogs.MsgBox(this, learn::messages::kGoal);
        return;
    }
    if (!showPhoto(photo)) {
        m_voice->stop();
        m_events->noteShown();
        emit m_events->photoMissing(stepNo, photo);
        // The step can still be answered, even when it is the first.
        showButtonsWithoutPhoto();
        m_dialogs.MsgBox(this, app::messages::notFound(photo));
        return;
    }
    layOutStep();
    m_voice->stepShown(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, photo);
    m_events->noteShown();
    emit m_events->stepShown(stepNo, photo);
}

learn::PhotoRoom frm_lane_play::photoRoom() const
{
    return learn::PhotoRoom{m_screen.TwipsPerPixel, Form.ScaleWidth(), Form.ScaleHeight(),
                            Command2.Height(),
                            m_settings.bigButtons ? learn::bigButtonBand(Form.ScaleHeight()) : 0};
}

bool frm_lane_play::showPhoto(const QString& path)
{
    std::optional<learn::PreparedPhoto> photo = m_prefetch.take(path);
    // Decoded ahead for another room: the window has been framed since.
    if (photo && photo->room != photoRoom())
        photo.reset();
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
        m_prefetch.start(m_lane::DB_PATH, store::StepKey(m_lane::STEP_NO.toLongLong() + 1),
                         photoRoom());
}

void frm_lane_play::layOutStep()
{
    const float W = Form.ScaleWidth();
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
    m_access->buttonsPlaced(m_screen.TwipsPerPixel, Picture1.Top() + Picture1.Height(), W,
                            Form.ScaleHeight());
    placeAgain();
}

void frm_lane_play::placeAgain()
{
    // "もういちど" stands on the row of "もどる", in the column of "→": with big buttons in the
    // free cell there, as large as they are.
    QRectF place(Command1[2].Left(), Command2.Top(), 2 * 855, Command2.Height());
    QFont font = m_back->font();
    if (m_settings.bigButtons) {
        const std::array<QRectF, 4> big = learn::bigButtonPlaces(
            Form.ScaleWidth(), Form.ScaleHeight(), Picture1.Top() + Picture1.Height());
        place = QRectF(big[2].left(), big[3].top(), big[2].width(), big[3].height());
        font.setPixelSize(std::max(
            12, std::min(font.pixelSize(), int(place.width() / m_screen.TwipsPerPixel / 6))));
    }
    m_afterGoal->button()->setFont(font);
    Again.setLeft(float(place.left()));
    Again.setTop(float(place.top()));
    Again.setSize(float(place.width()), float(place.height()));
}

void frm_lane_play::showButtonsWithoutPhoto()
{
    if (!m_back->isHidden())
        return;
    m_photo->clear();
    layOutStep();
}

void frm_lane_play::reachGoal()
{
    showButtonsWithoutPhoto();
    m_afterGoal->reach();
}

void frm_lane_play::play(const QString& soundFile)
{
    if (!m_settings.sounds)
        return;
    MMControl1->FileName = m_programFolder + soundFile;
    MMControl1->Command(QStringLiteral("Open"));
    MMControl1->Command(QStringLiteral("Play"));
}

void frm_lane_play::Command1_Click(int Index)
{
    // After the goal an arrow has nothing left to answer.
    if (Index < 0 || Index >= int(m_arrows.size()) || m_afterGoal->reached())
        return;
    m_answerRetry->stop();
    m_answerRetry->setInterval(AnswerRetryMs);
    m_pendingAnswer = -1;
    store::Step step;
    try {
        step = readStep();
    } catch (const platform::Failure& e) {
        // Judged by itself as soon as the route can be read; the screen stays as it is.
        m_pendingAnswer = Index;
        m_answerRetry->start();
        emit m_events->routeOutage(e.cause());
        routeUnavailable(m_answerOutage, e);
        return;
    }
    m_answerOutage.clear();
    if (step.photo != m_stepPhoto) {
        // The route was changed meanwhile and the number now names another step than the one
        // on screen: that step is shown afresh instead of judging the press against it.
        m_lane::STEP_NO = m_lane::STEP_NO.toLongLong() - 1;
        Timer1_Timer();
        return;
    }
    m_voice->answered();
    MMControl1->Command(QStringLiteral("Close"));
    const bool right = m_arrows[Index]->text() == step.direction;
    emit m_events->answered(m_events->press(int(m_lane::STEP_NO.toLongLong()), step.direction,
                                            m_arrows[Index]->text(), right, Timer1->Enabled()));
    if (right) {
        play(QStringLiteral("/OK.mp3"));
        armTimer();
    } else {
        play(QStringLiteral("/NG.mp3"));
        m_voice->wrongAnswer();
        m_dialogs.MsgBox(this, learn::messages::kWrong);
    }
}

void frm_lane_play::Command2_Click()
{
    m_voice->stop();
    m_answerRetry->stop();
    m_pendingAnswer = -1;
    emit m_events->back(int(m_lane::STEP_NO.toLongLong()), m_events->input());
    m_afterGoal->leave();
    m_lane::STEP_NO = m_lane::STEP_NO.toLongLong() - 2;
    if (m_lane::STEP_NO.toLongLong() < 0)
        m_lane::STEP_NO = 0;
    armTimer();
}

void frm_lane_play::Again_Click()
{
    m_lane::STEP_NO = 0;
    forgetRun();
    armTimer();
}
